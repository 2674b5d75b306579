#include "support/EasyWorshipSongs.h"

#include "platform/CodePage.h"

#include <cstdio>
#include <random>

namespace sample {

namespace {

constexpr const char* kRichTextHead =
    "{\\rtf1\\ansi\\deff0\\deftab254{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}}"
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}"
    "\\paperw12240\\paperh15840\\margl1880\\margr1880\\margt1440\\margb1440"
    "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnhang\\pnindent720{\\pntxtb}{\\pntxta{.}}}\r\n";
constexpr const char* kParagraphHead = "\\ql\\li0\\fi0\\ri0\\sb0\\sl\\sa0 \\plain\\f0\\fs16\\fntnamaut ";

void AppendEscaped(std::string& rtf, const std::string& line)
{
    for (unsigned char c : line) {
        if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += static_cast<char>(c);
        } else if (c >= 0x80) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\'%02x", c);
            rtf += escape;
        } else {
            rtf += static_cast<char>(c);
        }
    }
}

}  // namespace

std::string EasyWorshipRichText(const std::vector<std::string>& ansiLines)
{
    std::string rtf = kRichTextHead;
    for (const std::string& line : ansiLines) {
        rtf += kParagraphHead;
        AppendEscaped(rtf, line);
        rtf += "\\par\r\n";
    }
    rtf += "}";
    return rtf;
}

paradox::RecordValues EasyWorshipRecord(const Song& song, int recId)
{
    static const paradox::TableSpec shape = paradox::EasyWorshipSongsSpec();
    paradox::RecordValues values(shape.fields.size());
    auto set = [&](const char* name, std::string value) {
        for (size_t i = 0; i < shape.fields.size(); ++i)
            if (shape.fields[i].name == name) values[i] = std::move(value);
    };
    set("Title", song.title);
    set("Author", song.author);
    set("Copyright", song.copyright);
    set("Words", song.words);
    set("RecID", std::to_string(recId));
    set("Default Background", "True");
    set("Override Enabled", "False");
    set("Demo Data", "False");
    set("Favorite", "0");
    set("Last Modified", "2009-03-14 13:45:07");
    return values;
}

std::vector<Song> MakeBenchmarkLibrary(int count)
{
    static const char* const kWords[] = {"grace", "Herr", "light", "Gnade", "sound", "K\xF6nig", "heart", "Himmel",
                                         "glory", "St\xE4rke", "praise", "Freude", "river", "Ehre", "peace", "Gr\xF6\xDF" "e"};
    constexpr size_t kMinRichText = 3 * 1024, kMaxRichText = 5 * 1024;
    std::mt19937 random(7);
    std::vector<Song> songs;
    songs.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const size_t target = kMinRichText + random() % (kMaxRichText - kMinRichText);
        std::vector<std::string> lines;
        std::string words;
        for (int verse = 1; words.size() < target; ++verse) {
            lines.push_back(verse % 3 == 0 ? "Chorus" : "Verse " + std::to_string(verse));
            for (int l = 0; l < 4; ++l) {
                std::string line;
                for (int w = 0; w < 6; ++w) line += std::string(w ? " " : "") + kWords[random() % 16];
                lines.push_back(line);
            }
            lines.push_back("");
            words = EasyWorshipRichText(lines);
        }
        songs.push_back({"Song " + std::to_string(i) + " " + kWords[i % 16], "Author " + std::to_string(i % 300),
                         "Public domain", std::move(words)});
    }
    return songs;
}

void WriteEasyWorshipTable(const std::string& tablePath, const std::vector<Song>& songs)
{
    std::vector<paradox::RecordValues> records;
    records.reserve(songs.size());
    int recId = 1;
    for (const Song& song : songs) records.push_back(EasyWorshipRecord(song, recId++));
    paradox::WriteParadoxTable(tablePath, paradox::EasyWorshipSongsSpec(), records);
}

}  // namespace sample
