// Converts EasyWorship-shaped lyrics (3 to 5 KB of rich text each, as the
// song table holds them) the way the import run does, one converter for all
// songs, and prints the throughput in MB/s of rich text read.
#include "platform/rtf/RichText.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kCodePage = 1252;
constexpr std::size_t kSongs = 2000;
// Timed in batches of a few milliseconds, so that on a shared machine the
// best batch shows the converter on a core of its own and the median what a
// busy machine gives.
constexpr std::size_t kBatchSongs = 100;
constexpr int kRounds = 20;
constexpr std::size_t kMinSongBytes = 3 * 1024;
constexpr std::size_t kMaxSongBytes = 5 * 1024;

// The header EasyWorship's rich edit control writes before the first line.
const char kHeader[] =
    "{\\rtf1\\ansi\\deff0\\deftab254{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}}"
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;"
    "\\red255\\green255\\blue0;\\red255\\green0\\blue255;\\red128\\green0\\blue128;\\red128\\green0\\blue0;"
    "\\red0\\green255\\blue0;\\red0\\green255\\blue255;\\red0\\green128\\blue128;\\red0\\green0\\blue128;"
    "\\red255\\green255\\blue255;\\red192\\green192\\blue192;\\red128\\green128\\blue128;\\red0\\green0\\blue0;}\r\n"
    "\\paperw12240\\paperh15840\\margl1880\\margr1880\\margt1440\\margb1440"
    "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnhang\\pnindent720{\\pntxtb}{\\pntxta{.}}}\r\n"
    "{\\*\\pnseclvl2\\pnucltr\\pnstart1\\pnhang\\pnindent720{\\pntxtb}{\\pntxta{.}}}\r\n";
const char kParagraph[] = "\\ql\\li0\\fi0\\ri0\\sb0\\sl\\sa0 \\plain\\f0\\fs16\\fntnamaut ";

const char* const kLyricLines[] = {
    "Gro\\'dfer Gott, wir loben dich, Herr, wir preisen deine St\\'e4rke",
    "Amazing grace, how sweet the sound that saved a wretch like me",
    "Deg v\\'e6re \\'e6re, Herre over alle makter",
    "takk for at du s\\'f8ker oss i n\\'f8d",
    "Vor dir neigt die Erde sich und bewundert deine Werke",
    "How great Thou art, how great Thou art",
    "Then sings my soul, my Saviour God, to Thee",
    "S\\'e5 store ting har du gjort for oss",
};

std::string MakeSong(std::size_t seed) {
    const std::size_t target = kMinSongBytes + (seed * 7919) % (kMaxSongBytes - kMinSongBytes);
    std::string song = kHeader;
    for (std::size_t line = 0; song.size() < target; ++line) {
        song += kParagraph;
        if (line % 6 == 0) {
            song += (line / 6) % 2 == 0 ? "Verse " + std::to_string(line / 12 + 1) : std::string("Chorus ");
        } else if (line % 6 == 5) {
            // an empty paragraph separates slides
        } else {
            song += kLyricLines[(seed + line) % std::size(kLyricLines)];
        }
        song += "\\par\r\n";
    }
    song += "}";
    return song;
}

}  // namespace

int main() {
    std::vector<std::string> songs;
    std::size_t totalBytes = 0;
    for (std::size_t i = 0; i < kSongs; ++i) {
        songs.push_back(MakeSong(i));
        totalBytes += songs.back().size();
    }

    RichTextConverter converter;
    std::size_t outputBytes = 0;
    std::vector<double> rates;  // MB/s of each batch
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t first = 0; first < songs.size(); first += kBatchSongs) {
            const std::size_t last = std::min(first + kBatchSongs, songs.size());
            std::size_t batchBytes = 0;
            const auto start = std::chrono::steady_clock::now();
            for (std::size_t i = first; i < last; ++i) {
                outputBytes += converter.Convert(songs[i], kCodePage).size();
                batchBytes += songs[i].size();
            }
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            rates.push_back(static_cast<double>(batchBytes) / (1024.0 * 1024.0) / elapsed.count());
        }
    }
    std::sort(rates.begin(), rates.end());

    std::printf("rich_text_bench: %zu EasyWorship-shaped songs, %.2f MB of rich text (%.0f bytes each on average)\n",
                songs.size(), static_cast<double>(totalBytes) / (1024.0 * 1024.0),
                static_cast<double>(totalBytes) / static_cast<double>(songs.size()));
    std::printf("  %zu batches of %zu songs: best %.0f MB/s, median %.0f MB/s (plain text %zu bytes per round)\n",
                rates.size(), kBatchSongs, rates.back(), rates[rates.size() / 2], outputBytes / kRounds);
    return 0;
}
