#include "song/CreateSngUnit.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/System.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kSlideSeparator = "---";
constexpr const char* kLineBreak = "\r\n";
constexpr const char* kFileExtension = ".sng";
constexpr const char* kUntitledPrefix = "Unbenannt ";
constexpr uint32_t kUntitledNumberRange = 999999;

// Whitespace as the song format knows it: every control character and space.
bool IsBlankChar(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

bool IsBlank(const std::string& line)
{
    return std::all_of(line.begin(), line.end(), IsBlankChar);
}

// Whether `line` is a "key=value" line of `key`; a line without "=" has no key.
bool HasKey(const std::string& line, const std::string& key)
{
    const size_t equals = line.find('=');
    return equals != std::string::npos && AnsiSameText(std::string_view(line).substr(0, equals), key);
}

template <typename Lines>
auto FindKey(Lines& header, const std::string& key)
{
    return std::find_if(header.begin(), header.end(),
                        [&](const std::string& line) { return HasKey(line, key); });
}

// A kept name byte that the code page leaves undefined has no character to
// stand for in a file name, so it becomes "_".
std::string AnsiFileNameToNative(const std::string& ansiName)
{
    std::string native;
    const int codePage = GetACP();
    for (unsigned char byte : ansiName) {
        const char32_t ch = AnsiByteToUnicode(byte, codePage);
        if (ch == U'\uFFFD')
            native += '_';
        else
            native += AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(&byte), 1), codePage);
    }
    return native;
}

}  // namespace

void TSimpleSNG::SetHeaderValue(const std::string& key, const std::string& value)
{
    const auto line = FindKey(Header, key);
    if (value.empty()) {
        if (line != Header.end()) Header.erase(line);
    } else if (line != Header.end()) {
        *line = key + "=" + value;
    } else {
        Header.push_back(key + "=" + value);
    }
}

std::string TSimpleSNG::GetHeaderValue(const std::string& key) const
{
    const auto line = FindKey(Header, key);
    return line == Header.end() ? std::string() : line->substr(line->find('=') + 1);
}

void TSimpleSNG::SetTitle(const std::string& value) { SetHeaderValue("#Title", value); }
void TSimpleSNG::SetOTitle(const std::string& value) { SetHeaderValue("#OTitle", value); }
void TSimpleSNG::SetAuthor(const std::string& value) { SetHeaderValue("#Author", value); }
void TSimpleSNG::SetMelody(const std::string& value) { SetHeaderValue("#Melody", value); }
void TSimpleSNG::SetTranslation(const std::string& value) { SetHeaderValue("#Translation", value); }
void TSimpleSNG::SetNatCopyright(const std::string& value) { SetHeaderValue("#NatCopyright", value); }
void TSimpleSNG::SetCopyright(const std::string& value) { SetHeaderValue("#(c)", value); }
void TSimpleSNG::SetKeywords(const std::string& value) { SetHeaderValue("#Keywords", value); }
void TSimpleSNG::SetKey(const std::string& value) { SetHeaderValue("#Key", ConvertKeyNotation(value)); }
void TSimpleSNG::SetBible(const std::string& value) { SetHeaderValue("#Bible", value); }
void TSimpleSNG::SetSongBook(const std::string& value) { SetHeaderValue("#SongBook", value); }
void TSimpleSNG::SetCCLI(const std::string& value) { SetHeaderValue("#CCLI", value); }
void TSimpleSNG::SetQuickFind(const std::string& value) { SetHeaderValue("#QuickFind", value); }
void TSimpleSNG::SetEditor(const std::string& value) { SetHeaderValue("#Editor", value); }

void TSimpleSNG::SetLinesText(const std::string& text)
{
    Lines.clear();
    const char* p = text.data();
    const char* const end = p + std::strlen(text.c_str());  // the text ends at its first NUL
    while (p < end) {
        const char* start = p;
        while (p < end && *p != '\r' && *p != '\n') ++p;
        Lines.emplace_back(start, p);
        if (p < end && *p == '\r') ++p;
        if (p < end && *p == '\n') ++p;
    }
}

std::string TSimpleSNG::GetTitle()
{
    std::string title = GetHeaderValue("#Title");
    if (!title.empty()) return title;
    title = GetHeaderValue("#Titel");
    SetHeaderValue("#Titel", "");
    SetHeaderValue("#Title", title);
    return title;
}

void TSimpleSNG::Tidy()
{
    while (!Lines.empty() && IsBlank(Lines.front())) Lines.erase(Lines.begin());
    while (!Lines.empty() && IsBlank(Lines.back())) Lines.pop_back();
    for (std::string& line : Lines) {
        while (!line.empty() && IsBlankChar(line.back())) line.pop_back();
        if (line.empty()) line = kSlideSeparator;
    }
    // Runs of separators, including "---" lines that were already in the text,
    // collapse to one.
    const auto last = std::unique(Lines.begin(), Lines.end(), [](const std::string& a, const std::string& b) {
        return a == kSlideSeparator && b == kSlideSeparator;
    });
    Lines.erase(last, Lines.end());
}

std::string TSimpleSNG::SaveToFolder(const std::string& folder)
{
    std::string path = folder;
    if (path.empty() || path.back() != '/') path += '/';
    CreateFolderChain(path);

    std::string name = GetTitle();
    if (Lines.empty()) return {};
    if (name.empty()) name = Lines.front();
    name = SongFileNameFromText(name);
    if (name.empty()) name = kUntitledPrefix + std::to_string(Random(kUntitledNumberRange));

    path += AnsiFileNameToNative(name) + kFileExtension;
    SaveToFile(path);
    return path;
}

void TSimpleSNG::SaveToFile(const std::string& path)
{
    std::string bytes;
    auto append = [&](const std::string& line) {
        bytes += line;
        bytes += kLineBreak;
    };
    for (const std::string& line : Header) append(line);
    append(kSlideSeparator);
    for (const std::string& line : Lines) append(line);
    ReplaceFileContents(path, bytes);
}
