// Reading an EasyWorship-sized song table: 10,000 songs with rich-text lyrics
// of 3 to 5 KB, the four columns the import run reads, record by record.
//
// The table is written first, then read by a fresh run of this program
// ("--read <folder>"), so that the peak memory reported is the reader's
// alone. The floor to compare with: reading the same files' bytes from the
// page cache.
#include "PeakMemory.h"

#include "platform/Table.h"
#include "support/EasyWorshipSongs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr int kSongs = 10'000;
constexpr int kPasses = 3;  // best of

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

void WriteTable(const std::string& path)
{
    sample::WriteEasyWorshipTable(path, sample::MakeBenchmarkLibrary(kSongs));
}

// Reads a file's bytes in 64 KiB pieces; returns how many.
size_t ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> buffer(64 * 1024);
    size_t total = 0;
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
        total += static_cast<size_t>(in.gcount());
    return total;
}

int Read(const std::filesystem::path& folder)
{
    const std::string table = (folder / "Songs.DB").string(), memo = (folder / "Songs.MB").string();
    const double fileMB = static_cast<double>(ReadBytes(table) + ReadBytes(memo)) / 1e6;  // also warms the cache

    double floorSeconds = 1e9;
    for (int pass = 0; pass < kPasses; ++pass) {
        const auto start = Clock::now();
        ReadBytes(table);
        ReadBytes(memo);
        floorSeconds = std::min(floorSeconds, Seconds(start));
    }

    double readSeconds = 1e9;
    size_t records = 0, valueBytes = 0;
    for (int pass = 0; pass < kPasses; ++pass) {
        const auto start = Clock::now();
        TTable songs("Table1");
        songs.Open(table);
        const int words = songs.FieldIndex("Words"), title = songs.FieldIndex("Title"),
                  author = songs.FieldIndex("Author"), copyright = songs.FieldIndex("Copyright");
        records = valueBytes = 0;
        for (songs.First(); !songs.Eof(); songs.Next()) {
            valueBytes += songs.AsText(title).size() + songs.AsText(author).size() +
                          songs.AsText(copyright).size() + songs.AsText(words).size();
            ++records;
        }
        readSeconds = std::min(readSeconds, Seconds(start));
    }

    std::printf("table: %zu records, %.1f MB of .DB and .MB files, %.1f MB of values\n", records, fileMB,
                static_cast<double>(valueBytes) / 1e6);
    std::printf("read four columns:  %.3f s  %.0f records/s  %.0f MB/s\n", readSeconds, records / readSeconds,
                fileMB / readSeconds);
    std::printf("page-cache floor:   %.3f s  %.0f MB/s (the files' bytes, 64 KiB reads)\n", floorSeconds,
                fileMB / floorSeconds);
    std::printf("peak resident memory of the reading process: %ld KiB\n", PeakResidentKiB());
    return records == kSongs ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--read") return Read(argv[2]);

    std::random_device device;
    const auto folder = std::filesystem::temp_directory_path() / ("tessaline-bench-" + std::to_string(device()));
    std::filesystem::create_directories(folder);
    const auto start = Clock::now();
    WriteTable((folder / "Songs.DB").string());
    std::printf("wrote the table in %.2f s\n", Seconds(start));
    std::fflush(stdout);
    const int result = std::system(("\"" + std::string(argv[0]) + "\" --read \"" + folder.string() + "\"").c_str());
    std::filesystem::remove_all(folder);
    return result == 0 ? 0 : 1;
}
