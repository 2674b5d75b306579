#include "platform/SpecialFolders.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::string UserHomeFolder()
{
    return Environment("HOME");
}

std::string ParseUserDirsValue(std::string_view fileText, std::string_view key, const std::string& home)
{
    std::string result;
    while (!fileText.empty()) {
        const size_t eol = fileText.find('\n');
        std::string_view line = Trim(fileText.substr(0, eol));
        fileText.remove_prefix(eol == std::string_view::npos ? fileText.size() : eol + 1);

        if (line.empty() || line.front() == '#' || line.substr(0, key.size()) != key) continue;
        line = Trim(line.substr(key.size()));
        if (line.empty() || line.front() != '=') continue;
        line = Trim(line.substr(1));
        if (line.size() < 2 || line.front() != '"' || line.back() != '"') continue;
        line = line.substr(1, line.size() - 2);

        // The last assignment wins, as when the file is sourced by a shell.
        if (line.substr(0, 5) == "$HOME" && (line.size() == 5 || line[5] == '/'))
            result = home.empty() ? "" : home + std::string(line.substr(5));
        else if (!line.empty() && line.front() == '/')
            result = std::string(line);
    }
    return result;
}

std::string UserDocumentsFolder()
{
    const std::string home = UserHomeFolder();
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty()) config = home + "/.config";
    if (!config.empty()) {
        std::string documents =
            ParseUserDirsValue(ReadWholeFile(config + "/user-dirs.dirs"), "XDG_DOCUMENTS_DIR", home);
        while (documents.size() > 1 && documents.back() == '/') documents.pop_back();
        if (!documents.empty()) return documents;
    }
    return home.empty() ? "" : home + "/Documents";
}
