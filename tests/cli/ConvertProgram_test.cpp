// tessaline-convert from the outside: exit status, output and files.
#include "platform/paradox/TableWriter.h"
#include "support/EasyWorshipSongs.h"
#include "../GoldenFiles.h"
#include "../platform/sqlite/EasyWorship6Library.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string out, err;
};

// Runs the program with `args` (already quoted for the shell) in the C locale.
Result RunConvert(const TempFolder& scratch, const std::string& args)
{
    const std::string out = scratch / "stdout.txt", err = scratch / "stderr.txt";
    const std::string command = "LC_ALL=C LANG=C \"" TESSALINE_CONVERT "\" " + args + " >\"" + out + "\" 2>\"" + err + "\"";
    const int raw = std::system(command.c_str());
    Result r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(out), ReadFileBytes(err)};
    fs::remove(out);
    fs::remove(err);
    return r;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

const std::string kSamples = TESSALINE_SOURCE "/samples/Songs.DB";
const fs::path kGolden = TESSALINE_SOURCE "/tests/golden/sample";

}  // namespace

TEST(ConvertProgram, SampleLibraryGivesTheGoldenFilesEveryRun)
{
    TempFolder scratch;
    const std::string out = scratch / "out";
    for (int run = 0; run < 2; ++run) {   // the second run replaces with the same bytes
        const Result r = RunConvert(scratch, Quoted(kSamples) + " " + Quoted(out));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out,
                  "12 songs written to 11 files.\n"
                  "1 record without lyrics skipped.\n"
                  "Several records gave the same file name; each file holds the last of them:\n"
                  "  Doxology.sng: records 5 6\n"
                  "Output folder: " + out + "\n");
        ExpectSameFiles(out, kGolden);
    }
}

TEST(ConvertProgram, RelativeFolderIsTakenFromTheCurrentFolderAndListPrintsUtf8)
{
    TempFolder scratch;
    const Result r = RunConvert(scratch, "--version >/dev/null && cd " + Quoted(scratch.Path().string()) +
                                             " && \"" TESSALINE_CONVERT "\" --quiet " + Quoted(kSamples) + " rel");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");   // quiet
    ExpectSameFiles(scratch.Path() / "rel", kGolden);

    const Result list = RunConvert(scratch, "--list " + Quoted(kSamples));
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("Gro\xC3\x9F" "er Gott, wir loben dich\tIgnaz Franz\tGemeinfrei\n"), std::string::npos);
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 13);
}

TEST(ConvertProgram, ErrorsAreOneLineWithTheErrorBoxText)
{
    TempFolder scratch;
    // A table without lyrics column: the folder is made before the lookup.
    paradox::TableSpec shape;
    shape.fields = {{"Title", paradox::FieldType::Alpha, 50}};
    paradox::WriteParadoxTable(scratch / "NoWords.DB", shape, {{std::string("x")}});
    sample::WriteEasyWorshipTable(scratch / "Songs.DB", {{"One", "", "", "a"}, {"Two", "", "", "b"}});
    fs::create_directories(scratch / "blocked/Two.sng");

    struct Case { std::string args, err; int status; bool folderMade; std::string folder; };
    const Case cases[] = {
        {Quoted(scratch / "NoWords.DB") + " " + Quoted(scratch / "made"),
         "tessaline-convert: Table1: Field 'Words' not found.\n", 1, true, scratch / "made"},
        {Quoted(scratch / "Songs.DB") + " " + Quoted(scratch / "blocked"),
         "tessaline-convert: Cannot create file \"" + scratch / "blocked/Two.sng" + "\". Is a directory.\n", 1, true,
         scratch / "blocked"},
    };
    for (const Case& c : cases) {
        const Result r = RunConvert(scratch, c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(fs::is_directory(c.folder), c.folderMade);
    }
    // The song before the failing one stays, and the summary says so.
    EXPECT_TRUE(fs::is_regular_file(scratch / "blocked/One.sng"));

    const Result missing = RunConvert(scratch, Quoted(scratch / "nothing.DB") + " out");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("tessaline-convert: ", 0), 0u) << missing.err;
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);
}

TEST(ConvertProgram, EasyWorship6LibraryGivesTheGoldenFiles)
{
    TempFolder scratch;
    fs::create_directory(scratch / "Data");
    ew6::WriteLibrary(scratch / "Data", ew6::SampleLibrary());
    const std::string out = scratch / "out";
    const Result r = RunConvert(scratch, Quoted(scratch / "Data/Songs.db") + " " + Quoted(out));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "3 songs written.\n"
              "1 record without lyrics skipped.\n"
              "Output folder: " + out + "\n");
    ExpectSameFiles(out, TESSALINE_SOURCE "/tests/golden/ew6");
}

TEST(ConvertProgram, UsageHelpAndVersion)
{
    TempFolder scratch;
    const Result version = RunConvert(scratch, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Tessaline 1.00\n");
    EXPECT_EQ(RunConvert(scratch, "--help").status, 0);
    for (const std::string args : {"", "--code-page 437 a.db", "--bogus a.db", "a b c"}) {
        const Result r = RunConvert(scratch, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("Usage: tessaline-convert"), std::string::npos) << args;
    }
}
