// Makes the bundled sample library (samples/Songs.DB and Songs.MB) from its
// text form, samples/library.txt.
//   make_sample_library samples/library.txt samples/Songs.DB
#include "platform/CodePage.h"
#include "support/EasyWorshipSongs.h"

#include <fstream>
#include <iostream>

namespace {

constexpr int kSampleCodePage = 1252;

struct Entry {
    sample::Song song;
    std::string format = "rtf";
    std::vector<std::string> lines;
};

std::string Ansi(const std::string& utf8)
{
    return Utf8ToAnsi(utf8, kSampleCodePage);
}

bool TakeField(const std::string& line, const std::string& key, std::string& value)
{
    if (line.rfind(key + ": ", 0) != 0) return false;
    value = line.substr(key.size() + 2);
    return true;
}

std::vector<Entry> ReadLibrary(std::istream& in)
{
    std::vector<Entry> entries;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("== ", 0) == 0) {
            entries.emplace_back();
            entries.back().song.title = Ansi(line.substr(3));
            continue;
        }
        if (entries.empty() || (line.rfind("#", 0) == 0)) continue;
        Entry& e = entries.back();
        std::string value;
        if (TakeField(line, "Author", value)) e.song.author = Ansi(value);
        else if (TakeField(line, "Copyright", value)) e.song.copyright = Ansi(value);
        else if (TakeField(line, "Words", value)) e.format = value;
        else e.lines.push_back(Ansi(line));
    }
    for (Entry& e : entries) {
        while (!e.lines.empty() && e.lines.back().empty()) e.lines.pop_back();
        if (e.format == "rtf") {
            e.song.words = sample::EasyWorshipRichText(e.lines);
        } else if (e.format == "plain") {
            for (const std::string& l : e.lines) e.song.words += l + "\r\n";
        } else if (e.format != "empty") {
            throw std::runtime_error("unknown Words format: " + e.format);
        }
    }
    return entries;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_sample_library LIBRARY_TXT SONGS_DB\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1]);
        if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
        std::vector<sample::Song> songs;
        for (Entry& e : ReadLibrary(in)) songs.push_back(std::move(e.song));
        sample::WriteEasyWorshipTable(argv[2], songs);
        std::cout << songs.size() << " songs written to " << argv[2] << '\n';
    } catch (const std::exception& e) {
        std::cerr << "make_sample_library: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
