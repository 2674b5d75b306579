// Converts EasyWorship-shaped lyrics (3 to 5 KB of rich text each, as the
// song table holds them) the way the import run does, one converter for all
// songs, and prints the throughput in MB/s of rich text read.
#include "platform/rtf/RichText.h"
#include "support/EasyWorshipSongs.h"

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
}  // namespace

int main() {
    std::vector<std::string> songs;
    std::size_t totalBytes = 0;
    for (sample::Song& song : sample::MakeBenchmarkLibrary(kSongs)) {
        totalBytes += song.words.size();
        songs.push_back(std::move(song.words));
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
