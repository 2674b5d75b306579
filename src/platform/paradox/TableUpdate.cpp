#include "platform/paradox/TableUpdate.h"

#include "platform/DurableFiles.h"
#include "platform/SysUtils.h"
#include "platform/paradox/ByteSource.h"
#include "platform/paradox/PrimaryIndex.h"
#include "platform/paradox/RollbackJournal.h"
#include "platform/paradox/TableEditor.h"
#include "platform/paradox/TableError.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace paradox {
namespace {

// The lock files Paradox's database engine keeps in a folder whose tables it
// has open, and leaves behind when it crashes.
constexpr const char* kLockFiles[] = {"PDOXUSRS.LCK", "PARADOX.LCK"};
constexpr std::string_view kMemoExtension = "MB";
constexpr std::string_view kIndexExtension = "PX";
constexpr std::string_view kValidityExtension = "VAL";
// The sort order byte of plain byte order ("ascii").
constexpr uint8_t kAsciiSortOrder = 0;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// The table's file and the files beside it that a change must know of.
struct TableFiles {
    std::string path, folder, name;
    std::optional<std::string> memo, index;  // names in the folder
};

[[noreturn]] void Refuse(const TableFiles& t, const std::string& what)
{
    ThrowTableError(t.path, "the table cannot be changed here: " + what);
}

TableFiles Survey(const std::string& tablePath, DurableFiles& files)
{
    TableFiles t;
    t.path = tablePath;
    t.folder = FolderOfPath(tablePath);
    const auto slash = tablePath.rfind('/');
    t.name = slash == std::string::npos ? tablePath : tablePath.substr(slash + 1);
    const auto dot = t.name.rfind('.');
    const std::string_view stem = std::string_view(t.name).substr(0, dot);

    std::vector<std::string> names = files.ListFolder(t.folder);
    std::sort(names.begin(), names.end());  // the same choice on every run
    for (const std::string& entry : names) {
        for (const char* lock : kLockFiles)
            if (SameIgnoringCase(entry, lock))
                Refuse(t, "the lock file \"" + entry +
                              "\" in its folder says that EasyWorship (or another program using Paradox tables) "
                              "has it open. Close EasyWorship and try again; if it is closed, the lock files are "
                              "left over from an earlier crash and may be deleted");
        const auto entryDot = entry.rfind('.');
        if (entryDot == std::string::npos || !SameIgnoringCase(std::string_view(entry).substr(0, entryDot), stem))
            continue;
        const std::string_view extension = std::string_view(entry).substr(entryDot + 1);
        if (SameIgnoringCase(extension, kMemoExtension) && (!t.memo || entry == std::string(stem) + ".MB"))
            t.memo = entry;
        else if (SameIgnoringCase(extension, kIndexExtension))
            t.index = entry;
        else if (extension.size() == 3 && (Lower(extension[0]) == 'x' || Lower(extension[0]) == 'y'))
            Refuse(t, "it has a secondary index (\"" + entry +
                          "\") that this program cannot keep up to date. Make this change in EasyWorship");
        else if (SameIgnoringCase(extension, kValidityExtension))
            Refuse(t, "it has validity checks (\"" + entry +
                          "\") that this program cannot enforce. Make this change in EasyWorship");
    }
    return t;
}

std::string Join(const TableFiles& t, const std::string& name) { return t.folder + "/" + name; }

// Reads the files, lets `change` edit them, and commits the result with a
// fresh primary index for a keyed table.
template <typename Change>
auto Update(const std::string& tablePath, DurableFiles& files, Change change)
{
    RecoverTable(tablePath, files);
    const TableFiles t = Survey(tablePath, files);
    const std::string table = files.ReadAll(t.path);
    const std::string memo = t.memo ? files.ReadAll(Join(t, *t.memo)) : std::string();
    TableEditor editor(t.path, table, memo);
    const TableHeader& h = editor.Header();
    if (h.sortOrder != kAsciiSortOrder)
        Refuse(t, "its sort order is not the plain \"ascii\" order, and records of other sort orders can only "
                  "be placed by Paradox's own engine. Make this change in EasyWorship");
    if (table[header::kWriteProtected] != 0) Refuse(t, "it is marked as write protected");
    if (h.keyFieldCount > 0 && !t.index)
        Refuse(t, "it is keyed, but its primary index file (.PX) is missing. Open it in EasyWorship once so that "
                  "the index is rebuilt");

    const auto result = change(editor);

    std::vector<FileChange> changes;
    const std::string newTable = editor.Table();
    changes.push_back({t.name, table, newTable});
    if (t.memo) changes.push_back({*t.memo, memo, editor.Memo()});
    if (t.index) {
        const std::string index = files.ReadAll(Join(t, *t.index));
        const TableHeader newHeader = ReadTableHeader(*MemorySource(t.path, newTable));
        changes.push_back({*t.index, index, BuildPrimaryIndex(newHeader, *MemorySource(t.path, newTable))});
    }
    CommitChanges(JournalPathFor(t.path), changes, files);
    return result;
}

}  // namespace

size_t UpdateAlphaField(const std::string& tablePath, size_t row, size_t field, std::string_view ansi,
                        DurableFiles& files)
{
    return Update(tablePath, files, [&](TableEditor& editor) {
        const auto& fields = editor.Header().fields;
        if (field >= fields.size()) ThrowTableError(tablePath, "field " + std::to_string(field + 1) + " does not exist");
        const FieldDescriptor& f = fields[field];
        if (f.type != FieldType::Alpha)
            ThrowTableError(tablePath, "field '" + f.name + "' is of type " + FieldTypeName(f.type) +
                                           "; only text (alpha) fields can be edited here");
        if (ansi.find('\0') != std::string_view::npos)
            ThrowTableError(tablePath, "field '" + f.name + "': the value holds a NUL character, which the table cannot store");
        if (ansi.size() > f.width)
            ThrowTableError(tablePath, "field '" + f.name + "' holds at most " + std::to_string(f.width) +
                                           " characters; the value has " + std::to_string(ansi.size()) +
                                           ". Shorten it and try again");
        return editor.SetAlpha(row, field, ansi);
    });
}

void DeleteTableRecord(const std::string& tablePath, size_t row, DurableFiles& files)
{
    Update(tablePath, files, [&](TableEditor& editor) {
        editor.Delete(row);
        return 0;
    });
}

bool RecoverTable(const std::string& tablePath, DurableFiles& files)
{
    return RecoverFromJournal(JournalPathFor(tablePath), files);
}

}  // namespace paradox
