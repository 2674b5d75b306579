#include "support/EasyWorshipSongs.h"

#include <cstdio>

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
    static const paradox::TableSpec spec = paradox::EasyWorshipSongsSpec();
    paradox::RecordValues values(spec.fields.size());
    auto set = [&](const char* name, std::string value) {
        for (size_t i = 0; i < spec.fields.size(); ++i)
            if (spec.fields[i].name == name) values[i] = std::move(value);
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

void WriteEasyWorshipTable(const std::string& tablePath, const std::vector<Song>& songs)
{
    std::vector<paradox::RecordValues> records;
    records.reserve(songs.size());
    int recId = 1;
    for (const Song& song : songs) records.push_back(EasyWorshipRecord(song, recId++));
    paradox::WriteParadoxTable(tablePath, paradox::EasyWorshipSongsSpec(), records);
}

}  // namespace sample
