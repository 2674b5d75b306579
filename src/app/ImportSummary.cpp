#include "app/ImportSummary.h"

#include "platform/CodePage.h"

#include <sstream>

namespace {

// Windows folds case within the ANSI code page; the file names were made
// from ANSI bytes, so folding them back there finds exactly its collisions.
std::string CaseFoldedName(const std::string& path)
{
    return AnsiUpperCase(Utf8ToAnsi(path));
}

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

}  // namespace

void ImportSummary::SongWritten(size_t record, const std::string& path)
{
    ++written_;
    recordsByPath_[path].push_back(record);
}

void ImportSummary::SongSkipped(size_t)
{
    ++skipped_;
}

std::vector<std::pair<std::string, std::vector<size_t>>> ImportSummary::SharedFiles() const
{
    std::vector<std::pair<std::string, std::vector<size_t>>> shared;
    for (const auto& [path, records] : recordsByPath_)
        if (records.size() > 1) shared.emplace_back(path, records);
    return shared;
}

std::vector<std::vector<std::string>> ImportSummary::CaseClashes() const
{
    std::map<std::string, std::vector<std::string>> byFolded;
    for (const auto& entry : recordsByPath_) byFolded[CaseFoldedName(entry.first)].push_back(entry.first);
    std::vector<std::vector<std::string>> clashes;
    for (auto& entry : byFolded)
        if (entry.second.size() > 1) clashes.push_back(std::move(entry.second));
    return clashes;
}

std::string ImportSummary::Report() const
{
    std::ostringstream out;
    out << written_ << (written_ == 1 ? " song" : " songs") << " written";
    if (const size_t files = recordsByPath_.size(); files != written_) out << " to " << files << " files";
    out << ".\n";
    if (skipped_ > 0)
        out << skipped_ << (skipped_ == 1 ? " record" : " records") << " without lyrics skipped.\n";

    const auto shared = SharedFiles();
    if (!shared.empty()) {
        out << "Several records gave the same file name; each file holds the last of them:\n";
        for (const auto& [path, records] : shared) {
            out << "  " << FileNameOf(path) << ": records";
            for (size_t r : records) out << ' ' << r + 1;
            out << '\n';
        }
    }
    const auto clashes = CaseClashes();
    if (!clashes.empty()) {
        out << "File names that differ only in letter case (one file on Windows):\n";
        for (const auto& group : clashes) {
            out << ' ';
            for (const std::string& path : group) out << ' ' << FileNameOf(path);
            out << '\n';
        }
    }
    return out.str();
}
