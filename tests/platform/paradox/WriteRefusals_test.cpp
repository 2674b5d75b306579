// Writes the table cannot make exactly right are refused with a text that
// says what to do, and leave every file byte for byte as it was.
#include "ParadoxFixtures.h"

#include "platform/DurableFiles.h"
#include "platform/SysUtils.h"
#include "platform/paradox/TableUpdate.h"
#include "../../TempFolder.h"

#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

namespace paradox {
namespace {

struct Refusal {
    const char* name;
    uint16_t keyFields;
    std::function<void(TempFolder&)> prepare;
    std::function<void(const std::string& path)> write;
    const char* expected;  // part of the error text
};

std::map<std::string, std::string> Snapshot(const TempFolder& folder)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : folder.Names()) files[name] = ReadFileBytes(folder / name);
    return files;
}

void Touch(TempFolder& folder, const std::string& name) { WriteFileBytes(folder / name, ""); }
void PatchByte(TempFolder& folder, size_t at, char value)
{
    std::string table = ReadFileBytes(folder / "Songs.DB");
    table[at] = value;
    WriteFileBytes(folder / "Songs.DB", table);
}
void EditTitle(const std::string& path) { UpdateAlphaField(path, 1, 0, "New title", SystemFiles()); }
void DeleteFirst(const std::string& path) { DeleteTableRecord(path, 0, SystemFiles()); }

const char* const kCloseEasyWorship = "Close EasyWorship and try again; if it is closed, the lock files are left over";

class WriteRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(WriteRefusal, ChangesNothingAndSaysWhy)
{
    const Refusal& c = GetParam();
    TempFolder folder;
    WriteParadoxTable(folder / "Songs.DB", testing::SongSpec(c.keyFields),
                      {{"Alpha", "A", std::string(3000, 'w')}, {"Beta", "B", "short"}, {"Gamma", "C", ""}});
    c.prepare(folder);
    const auto before = Snapshot(folder);
    try {
        c.write(folder / "Songs.DB");
        FAIL() << "not refused";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
    }
    EXPECT_EQ(Snapshot(folder), before);  // also: no journal left behind
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteRefusal,
    ::testing::Values(
        Refusal{"EngineLockFile", 2, [](TempFolder& f) { Touch(f, "PDOXUSRS.LCK"); }, EditTitle, kCloseEasyWorship},
        Refusal{"LockFileInLowerCase", 0, [](TempFolder& f) { Touch(f, "pdoxusrs.lck"); }, DeleteFirst,
                kCloseEasyWorship},
        Refusal{"DirectoryLockFile", 0, [](TempFolder& f) { Touch(f, "Paradox.Lck"); }, EditTitle,
                "the lock file \"Paradox.Lck\""},
        Refusal{"SecondaryIndex", 2, [](TempFolder& f) { Touch(f, "Songs.X02"); }, EditTitle,
                "secondary index (\"Songs.X02\") that this program cannot keep up to date. Make this change in EasyWorship"},
        Refusal{"SecondaryIndexInOtherCase", 2, [](TempFolder& f) { Touch(f, "songs.yg0"); }, DeleteFirst,
                "secondary index (\"songs.yg0\")"},
        Refusal{"ValidityChecks", 0, [](TempFolder& f) { Touch(f, "SONGS.VAL"); }, EditTitle, "validity checks"},
        Refusal{"KeyedWithoutIndex", 2,
                [](TempFolder& f) { std::filesystem::remove(f / "Songs.PX"); }, DeleteFirst,
                "its primary index file (.PX) is missing"},
        Refusal{"OtherSortOrder", 2, [](TempFolder& f) { PatchByte(f, header::kSortOrder, '\xB7'); }, EditTitle,
                "sort order is not the plain \"ascii\" order"},
        Refusal{"NeedsRebuild", 0, [](TempFolder& f) { PatchByte(f, header::kModifiedFlags, 1); }, EditTitle,
                "needing a rebuild"},
        Refusal{"WriteProtected", 0, [](TempFolder& f) { PatchByte(f, header::kWriteProtected, 1); }, DeleteFirst,
                "write protected"},
        Refusal{"TrailingBytes", 0,
                [](TempFolder& f) { WriteFileBytes(f / "Songs.DB", ReadFileBytes(f / "Songs.DB") + "x"); },
                EditTitle, "its header describes"},
        Refusal{"MemoFileMissing", 0, [](TempFolder& f) { std::filesystem::remove(f / "Songs.MB"); }, DeleteFirst,
                "the memo file (.MB) beside the table is missing"},
        Refusal{"ValueTooLong", 0, [](TempFolder&) {},
                [](const std::string& p) { UpdateAlphaField(p, 0, 1, std::string(31, 'a'), SystemFiles()); },
                "field 'Author' holds at most 30 characters; the value has 31. Shorten it"},
        Refusal{"NotAnAlphaField", 0, [](TempFolder&) {},
                [](const std::string& p) { UpdateAlphaField(p, 0, 2, "words", SystemFiles()); },
                "field 'Words' is of type memo; only text (alpha) fields can be edited"},
        Refusal{"NulInValue", 0, [](TempFolder&) {},
                [](const std::string& p) { UpdateAlphaField(p, 0, 0, std::string("a\0b", 3), SystemFiles()); },
                "NUL"},
        Refusal{"NoSuchRecord", 2, [](TempFolder&) {},
                [](const std::string& p) { DeleteTableRecord(p, 3, SystemFiles()); }, "record 4 does not exist"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace paradox
