// tessaline-convert: the import run from the command line, for many
// libraries, for scripts and for machines without a screen.
#include "app/ImportRun.h"
#include "app/ImportSummary.h"
#include "cli/ConvertOptions.h"
#include "cli/ProgressBar.h"
#include "platform/CodePage.h"
#include "platform/ErrorBox.h"
#include "platform/Table.h"
#include "platform/Terminal.h"
#include "platform/rtf/RichText.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace {

constexpr const char* kProgramName = "tessaline-convert";
constexpr const char* kVersionText = "Tessaline 1.00";
// Below this many records a run is over before a bar would be worth reading.
constexpr size_t kProgressBarThreshold = 500;

// Counts for the summary and, on a terminal, moves the bar.
class ConsoleObserver : public ImportSummary {
public:
    explicit ConsoleObserver(std::optional<ProgressBar>& bar) : bar_(bar) {}
    void SongWritten(size_t record, const std::string& path) override
    {
        ImportSummary::SongWritten(record, path);
        Advance(record);
    }
    void SongSkipped(size_t record) override
    {
        ImportSummary::SongSkipped(record);
        Advance(record);
    }

private:
    void Advance(size_t record)
    {
        if (bar_) bar_->Update(record + 1);
    }
    std::optional<ProgressBar>& bar_;
};

void ListSongs(SongTable& table)
{
    const int title = table.FieldIndex("Title");
    const int author = table.FieldIndex("Author");
    const int copyright = table.FieldIndex("Copyright");
    for (table.First(); !table.Eof(); table.Next()) {
        std::cout << AnsiToUtf8(table.AsText(title)) << '\t' << AnsiToUtf8(table.AsText(author)) << '\t'
                  << AnsiToUtf8(table.AsText(copyright)) << '\n';
    }
}

int Convert(const ConvertOptions& options, TTable& table)
{
    std::optional<ProgressBar> bar;
    if (!options.quiet && IsTerminal(stderr) && table.RecordCount() >= kProgressBarThreshold)
        bar.emplace(stderr, table.RecordCount());
    ConsoleObserver observer(bar);
    RichTextConverter richText;
    try {
        ImportSongs(options.outputFolder, table, richText, &observer);
    } catch (...) {
        if (bar) bar->Finish();
        // What was written stays: say so before the error.
        if (!options.quiet && observer.Written() > 0) std::cout << observer.Report() << std::flush;
        throw;
    }
    if (bar) bar->Finish();
    if (!options.quiet) std::cout << observer.Report() << "Output folder: " << options.outputFolder << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    ConvertOptions options;
    try {
        std::error_code ignored;
        options = ParseConvertOptions(std::vector<std::string>(argv + 1, argv + argc),
                                      std::filesystem::current_path(ignored).string());
    } catch (const UsageError& e) {
        std::cerr << kProgramName << ": " << e.message << '\n' << kConvertUsage;
        return 2;
    }

    switch (options.action) {
    case ConvertOptions::Action::Help:
        std::cout << "Converts an EasyWorship song table (Songs.DB) into Lumacant song files.\n\n"
                  << kConvertUsage << "\n"
                  << "  OUTPUT_FOLDER    where the .sng files go (default: " << DefaultOutputFolder() << ")\n"
                  << "  --list           print title, author and copyright of every song\n"
                  << "  --code-page N    the ANSI code page of the table's text (default: from the locale)\n"
                  << "  --quiet          no progress and no summary\n";
        return 0;
    case ConvertOptions::Action::Version:
        std::cout << kVersionText << '\n';
        return 0;
    default:
        break;
    }

    if (options.codePage != 0) SetACP(options.codePage);
    try {
        TTable table("Table1");
        table.Open(options.table);
        if (options.action == ConvertOptions::Action::List) {
            ListSongs(table);
            return 0;
        }
        return Convert(options, table);
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << kProgramName << ": " << ErrorBoxMessage(e.what()) << '\n';
        return 1;
    }
}
