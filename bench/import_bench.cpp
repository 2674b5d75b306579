// The whole import run on an EasyWorship-sized library: 10,000 songs with
// rich-text lyrics of 3 to 5 KB, converted into an empty folder and again
// over the files already there. The floor to compare with writes the same
// number of files of the same sizes and nothing else. Peak memory is read
// from a fresh process per run, at 1,000 and at 10,000 songs, to show that it
// does not grow with the library.
//
//   import_bench [songs [folder]]     (default 10000 songs in the system's
//                                     temporary folder; the driver)
//   import_bench --make N Songs.DB    (a library to profile with)
//   import_bench --run Songs.DB out   (one run, as the driver starts it)
#include "PeakMemory.h"

#include "app/ImportRun.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Table.h"
#include "platform/rtf/RichText.h"
#include "support/EasyWorshipSongs.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The child: one run, then its time and peak memory on standard output.
int RunImport(const std::string& table, const std::string& folder)
{
    TTable songs("Table1");
    songs.Open(table);
    RichTextConverter richText;
    const auto start = Clock::now();
    ImportSongs(folder, songs, richText);
    std::printf("%.6f %ld\n", Seconds(start), PeakResidentKiB());
    return 0;
}

// The floor: the same number of files of the same sizes, written plainly
// (over the files of an earlier floor run when there are some, as the second
// import run writes over its own).
// With `replace`, each file goes through the song writer's own file step
// (temporary file and rename), which shows what crash safety costs alone.
int RunFloor(const std::string& sizesFrom, const std::string& folder, bool replace)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& e : fs::directory_iterator(sizesFrom))
        files.emplace_back(e.path().filename().string(), std::string(e.file_size(), 'x'));
    fs::create_directories(folder);
    const auto start = Clock::now();
    for (const auto& [name, bytes] : files) {
        if (replace)
            ReplaceFileContents(folder + "/" + name, bytes);
        else
            std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
    }
    std::printf("%.6f %ld\n", Seconds(start), PeakResidentKiB());
    return 0;
}

struct Measure {
    double seconds;
    long peakKiB;
};

Measure Child(const std::string& self, const std::string& args)
{
    const std::string command = "\"" + self + "\" " + args;
    FILE* pipe = popen(command.c_str(), "r");
    Measure m{-1, -1};
    if (pipe == nullptr || std::fscanf(pipe, "%lf %ld", &m.seconds, &m.peakKiB) != 2) {
        std::fprintf(stderr, "child failed: %s\n", command.c_str());
        std::exit(1);
    }
    pclose(pipe);
    return m;
}

}  // namespace

int main(int argc, char** argv)
{
    SetACP(1252);
    if (argc == 4 && std::string(argv[1]) == "--run") return RunImport(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "--floor") return RunFloor(argv[2], argv[3], false);
    if (argc == 4 && std::string(argv[1]) == "--floor-replace") return RunFloor(argv[2], argv[3], true);
    if (argc == 4 && std::string(argv[1]) == "--make") {
        sample::WriteEasyWorshipTable(argv[3], sample::MakeBenchmarkLibrary(std::atoi(argv[2])));
        return 0;
    }

    const int songs = argc > 1 ? std::atoi(argv[1]) : 10'000;
    const fs::path work = (argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path()) / "tessaline-import-bench";
    fs::remove_all(work);
    fs::create_directories(work);
    const std::string self = fs::canonical("/proc/self/exe").string();

    for (int count : {1'000, songs}) {
        const std::string table = (work / ("Songs" + std::to_string(count) + ".DB")).string();
        sample::WriteEasyWorshipTable(table, sample::MakeBenchmarkLibrary(count));
        const std::string out = (work / ("out" + std::to_string(count))).string();
        const Measure fresh = Child(self, "--run \"" + table + "\" \"" + out + "\"");
        const Measure again = Child(self, "--run \"" + table + "\" \"" + out + "\"");
        const Measure floorFresh = Child(self, "--floor \"" + out + "\" \"" + out + "-floor\"");
        const Measure floorAgain = Child(self, "--floor \"" + out + "\" \"" + out + "-floor\"");
        const Measure replaceFresh = Child(self, "--floor-replace \"" + out + "\" \"" + out + "-replace\"");
        const Measure replaceAgain = Child(self, "--floor-replace \"" + out + "\" \"" + out + "-replace\"");
        const double tableMB = (fs::file_size(table) + fs::file_size(work / ("Songs" + std::to_string(count) + ".MB"))) / 1e6;
        std::printf("%6d songs (table and memo %.1f MB)\n", count, tableMB);
        std::printf("  into an empty folder:  %.3f s  %6.0f songs/s  floor %.3f s  ratio %.2f  peak memory %.1f MB\n",
                    fresh.seconds, count / fresh.seconds, floorFresh.seconds, fresh.seconds / floorFresh.seconds,
                    fresh.peakKiB / 1024.0);
        std::printf("  over existing files:   %.3f s  %6.0f songs/s  floor %.3f s  ratio %.2f  peak memory %.1f MB\n",
                    again.seconds, count / again.seconds, floorAgain.seconds, again.seconds / floorAgain.seconds,
                    again.peakKiB / 1024.0);
        std::printf("  the file step alone (temporary file and rename): %.3f s empty, %.3f s over existing\n",
                    replaceFresh.seconds, replaceAgain.seconds);
    }
    fs::remove_all(work);
    return 0;
}
