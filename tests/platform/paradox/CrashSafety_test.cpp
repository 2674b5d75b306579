// Crash safety of a change: a write layer that stops after the N-th write or
// flush (the process dies there; later calls fail too, as in a dead process)
// shows, for every N, that the next open gives back exactly the files from
// before the change or exactly those after it. Also: a journal that was not
// completely written is recognised and never applied.
#include "ParadoxFixtures.h"

#include "platform/DurableFiles.h"
#include "platform/SysUtils.h"
#include "platform/Table.h"
#include "platform/paradox/RollbackJournal.h"
#include "platform/paradox/TableUpdate.h"
#include "../../TempFolder.h"

#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

namespace paradox {
namespace {

struct SimulatedCrash : EInOutError {
    SimulatedCrash() : EInOutError("simulated crash") {}
};

// Passes calls to the system until `steps` writes and flushes have been made;
// the next write is torn (half its bytes land) and everything after fails.
class CrashingFiles final : public DurableFiles {
public:
    explicit CrashingFiles(size_t steps) : left_(steps) {}
    bool Crashed() const { return crashed_; }

    bool Exists(const std::string& p) override { Alive(); return system_.Exists(p); }
    std::string ReadAll(const std::string& p) override { Alive(); return system_.ReadAll(p); }
    std::vector<std::string> ListFolder(const std::string& f) override { Alive(); return system_.ListFolder(f); }
    void WriteAt(const std::string& p, uint64_t offset, std::string_view bytes) override
    {
        if (Step()) return system_.WriteAt(p, offset, bytes);
        system_.WriteAt(p, offset, bytes.substr(0, bytes.size() / 2));
        throw SimulatedCrash();
    }
    void Resize(const std::string& p, uint64_t size) override { Step() ? system_.Resize(p, size) : throw SimulatedCrash(); }
    void Sync(const std::string& p) override { Step() ? system_.Sync(p) : throw SimulatedCrash(); }
    void SyncFolder(const std::string& f) override { Step() ? system_.SyncFolder(f) : throw SimulatedCrash(); }
    void Remove(const std::string& p) override { Step() ? system_.Remove(p) : throw SimulatedCrash(); }

private:
    void Alive()
    {
        if (crashed_) throw SimulatedCrash();
    }
    bool Step()
    {
        Alive();
        if (left_ == 0) {
            crashed_ = true;
            return false;
        }
        --left_;
        return true;
    }
    DurableFiles& system_ = SystemFiles();
    size_t left_;
    bool crashed_ = false;
};

using Snapshot = std::map<std::string, std::string>;
Snapshot Take(const TempFolder& folder)
{
    Snapshot files;
    for (const std::string& name : folder.Names()) files[name] = ReadFileBytes(folder / name);
    return files;
}
void Restore(const TempFolder& folder, const Snapshot& files)
{
    for (const std::string& name : folder.Names()) std::filesystem::remove(folder / name);
    for (const auto& [name, bytes] : files) WriteFileBytes(folder / name, bytes);
}

struct Change {
    const char* name;
    std::function<void(const std::string& path, DurableFiles&)> apply;
};

class CrashAtEveryStep : public ::testing::TestWithParam<Change> {};

TEST_P(CrashAtEveryStep, ReopeningGivesTheOldOrTheNewFiles)
{
    TempFolder folder;
    TableSpec shape = testing::SongSpec(2);
    shape.blockSizeKiB = 1;
    std::vector<RecordValues> records;
    for (int i = 0; i < 30; ++i)
        records.push_back({"Song " + std::to_string(10 + i), "A", i % 3 ? std::string(2500, 'w') : "tiny words"});
    WriteParadoxTable(folder / "Songs.DB", shape, records);
    const std::string path = folder / "Songs.DB";
    const Snapshot before = Take(folder);
    GetParam().apply(path, SystemFiles());
    const Snapshot after = Take(folder);
    ASSERT_NE(before, after);

    size_t outcomesOld = 0, outcomesNew = 0;
    for (size_t steps = 0;; ++steps) {
        SCOPED_TRACE("stopped after step " + std::to_string(steps));
        Restore(folder, before);
        CrashingFiles crashing(steps);
        try {
            GetParam().apply(path, crashing);
        } catch (const SimulatedCrash&) {
        }
        if (!crashing.Crashed()) {
            EXPECT_EQ(Take(folder), after);
            break;
        }
        // The recovery itself may die at any step, too; the one after that finishes.
        for (size_t recoverySteps = 0;; ++recoverySteps) {
            CrashingFiles again(recoverySteps);
            try {
                RecoverTable(path, again);
            } catch (const SimulatedCrash&) {
            }
            if (!again.Crashed()) break;
        }
        TTable table("Table1");
        table.Open(path);  // recovers whatever is left
        const Snapshot now = Take(folder);
        EXPECT_TRUE(now == before || now == after);
        outcomesOld += now == before;
        outcomesNew += now == after;
        ASSERT_LT(steps, 1000u);
    }
    // Both outcomes occur: the steps reach past the journal's flush and past its removal.
    EXPECT_GT(outcomesOld, 0u);
    EXPECT_GT(outcomesNew, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, CrashAtEveryStep,
    ::testing::Values(
        Change{"DeleteFreeingAMemoBlock", [](const std::string& p, DurableFiles& f) { DeleteTableRecord(p, 1, f); }},
        Change{"KeyEditSplittingABlock",
               [](const std::string& p, DurableFiles& f) { UpdateAlphaField(p, 25, 0, "Aaa", f); }},
        Change{"PlainEdit", [](const std::string& p, DurableFiles& f) { UpdateAlphaField(p, 3, 1, "B", f); }}),
    [](const ::testing::TestParamInfo<Change>& info) { return std::string(info.param.name); });

TEST(RollbackJournal, OnlyACompleteJournalIsAccepted)
{
    const std::vector<JournalFile> journal = {
        {"Songs.DB", 9000, {{0, "head"}, {4096, std::string(300, 'r')}}},
        {"Songs.MB", 4096, {}},
    };
    const std::string bytes = EncodeJournal(journal);
    const auto parsed = ParseJournal(bytes);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ((*parsed)[0].name, "Songs.DB");
    EXPECT_EQ((*parsed)[0].originalSize, 9000u);
    EXPECT_EQ((*parsed)[0].regions[1].offset, 4096u);
    EXPECT_EQ((*parsed)[0].regions[1].bytes, std::string(300, 'r'));

    // Every torn write (any prefix) and every damaged byte is seen.
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(ParseJournal(bytes.substr(0, length))) << length;
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x20);
        EXPECT_FALSE(ParseJournal(damaged)) << at;
    }
}

TEST(RollbackJournal, NamesThatLeaveTheFolderOrRegionsPastTheFileAreRefused)
{
    for (const char* name : {"../Songs.DB", "/etc/passwd", "", ".."})
        EXPECT_FALSE(ParseJournal(EncodeJournal({{name, 10, {}}}))) << name;
    EXPECT_FALSE(ParseJournal(EncodeJournal({{"Songs.DB", 10, {{8, "abc"}}}})));
    EXPECT_TRUE(ParseJournal(EncodeJournal({{"Songs.DB", 10, {{7, "abc"}}}})));
}

TEST(RollbackJournal, AHotJournalIsRolledBackOnOpen)
{
    TempFolder folder;
    WriteParadoxTable(folder / "Songs.DB", testing::SongSpec(2), {{"One", "A", ""}, {"Two", "B", ""}});
    const std::string original = ReadFileBytes(folder / "Songs.DB");
    std::string damaged = original;
    damaged[5000] = 'X';
    damaged += std::string(2048, 'Z');
    WriteFileBytes(folder / "Songs.DB", damaged);
    WriteFileBytes(folder / "Songs.DB-journal", EncodeJournal({{"Songs.DB", original.size(), {{5000, original.substr(5000, 1)}}}}));

    TTable table("Table1");
    table.Open(folder / "Songs.DB");
    EXPECT_EQ(ReadFileBytes(folder / "Songs.DB"), original);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Songs.DB", "Songs.MB", "Songs.PX"}));
    EXPECT_EQ(table.RecordCount(), 2u);
}

}  // namespace
}  // namespace paradox
