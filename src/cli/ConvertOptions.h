// The command line of tessaline-convert.
#pragma once

#include <string>
#include <vector>

struct ConvertOptions {
    enum class Action { Convert, List, Help, Version };
    Action action = Action::Convert;
    std::string table;          // the song table's path
    std::string outputFolder;   // absolute; the default folder when not given
    int codePage = 0;           // 0: the system's
    bool quiet = false;
};

// Thrown for a command line that cannot be understood; the text says why.
struct UsageError {
    std::string message;
};

// Parses the arguments after the program name. A relative output folder is
// resolved against `currentFolder`, as every command-line program does.
ConvertOptions ParseConvertOptions(const std::vector<std::string>& args, const std::string& currentFolder);

inline constexpr const char* kConvertUsage =
    "Usage: tessaline-convert [--code-page N] [--quiet] SONGS_DB [OUTPUT_FOLDER]\n"
    "       tessaline-convert [--code-page N] --list SONGS_DB\n"
    "       tessaline-convert --help | --version\n";
