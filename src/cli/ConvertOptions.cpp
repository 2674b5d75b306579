#include "cli/ConvertOptions.h"

#include "app/ImportRun.h"
#include "platform/CodePage.h"

#include <charconv>

namespace {

int ParseCodePage(const std::string& text)
{
    int page = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
    if (error != std::errc() || end != text.data() + text.size() || !IsSupportedCodePage(page))
        throw UsageError{"unknown code page '" + text + "' (known: 874, 1250 to 1258)"};
    return page;
}

std::string Absolute(const std::string& folder, const std::string& currentFolder)
{
    if (folder.empty() || folder.front() == '/') return folder;
    return currentFolder + (currentFolder.empty() || currentFolder.back() == '/' ? "" : "/") + folder;
}

}  // namespace

ConvertOptions ParseConvertOptions(const std::vector<std::string>& args, const std::string& currentFolder)
{
    ConvertOptions options;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.action = ConvertOptions::Action::Help;
            return options;
        } else if (arg == "--version") {
            options.action = ConvertOptions::Action::Version;
            return options;
        } else if (arg == "--list") {
            options.action = ConvertOptions::Action::List;
        } else if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else if (arg == "--code-page") {
            if (++i == args.size()) throw UsageError{"--code-page needs a number"};
            options.codePage = ParseCodePage(args[i]);
        } else if (arg.rfind("--code-page=", 0) == 0) {
            options.codePage = ParseCodePage(arg.substr(12));
        } else {
            throw UsageError{"unknown option '" + arg + "'"};
        }
    }

    const size_t allowed = options.action == ConvertOptions::Action::List ? 1 : 2;
    if (positional.empty()) throw UsageError{"no song table given"};
    if (positional.size() > allowed) throw UsageError{"too many arguments"};
    if (positional[0].empty()) throw UsageError{"empty song table path"};
    if (positional.size() > 1 && positional[1].empty()) throw UsageError{"empty output folder"};
    options.table = positional[0];
    options.outputFolder = Absolute(positional.size() > 1 ? positional[1] : DefaultOutputFolder(), currentFolder);
    return options;
}
