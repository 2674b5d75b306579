// A song table in memory with the write support of the song table interface,
// for the window's editing tests: it can be filled from a real table file,
// made read-only (then it refuses edits as the interface's defaults do) and
// made to fail reading one record.
#pragma once

#include "app/TableComponent.h"
#include "platform/CodePage.h"
#include "platform/SongTable.h"
#include "platform/Table.h"

#include <array>
#include <cstdint>

class MemorySongTable : public SongTable {
public:
    static constexpr std::array<const char*, 4> kColumns = {"Title", "Author", "Copyright", "Words"};
    using Record = std::array<std::string, kColumns.size()>;

    MemorySongTable()
    {
        // EasyWorship's widths: titles and authors 50 characters, copyrights 100.
        fields_ = {{"Title", "alpha", 50}, {"Author", "alpha", 50}, {"Copyright", "alpha", 100}, {"Words", "memo", 0}};
    }

    bool writable = true;
    size_t unreadableRecord = SIZE_MAX;
    std::vector<Record> records;

    // Copies the records of the table file at `path`.
    void Load(const std::string& path)
    {
        TTable file("Table1");
        file.Open(path);
        std::array<int, kColumns.size()> positions{};
        for (size_t i = 0; i < kColumns.size(); ++i) positions[i] = file.FieldIndex(kColumns[i]);
        for (file.First(); !file.Eof(); file.Next()) {
            Record r;
            for (size_t i = 0; i < kColumns.size(); ++i) r[i] = file.AsText(positions[i]);
            records.push_back(r);
        }
    }

    const std::string& Name() const override { return name_; }
    const std::vector<SongTableField>& Fields() const override { return fields_; }
    int TableCodePage() const override { return 1252; }
    void First() override
    {
        current_ = 0;
        eof_ = records.empty();
    }
    void Next() override
    {
        if (current_ + 1 < records.size())
            ++current_;
        else
            eof_ = true;
    }
    bool Eof() const override { return eof_; }
    size_t RecNo() const override { return current_; }
    std::string AsText(int field) const override { return RecordText(current_, field); }
    size_t RecordCount() const override { return records.size(); }
    std::string RecordText(size_t row, int field) const override
    {
        if (row == unreadableRecord) throw EDatabaseError("Table1: Record 7 of Songs.DB is damaged");
        return records.at(row).at(static_cast<size_t>(field));
    }
    size_t PostFieldText(size_t row, int field, std::u16string_view value) override
    {
        if (!writable) return SongTable::PostFieldText(row, field, value);
        records.at(row).at(static_cast<size_t>(field)) = Utf16ToAnsi(value);
        return row;
    }
    void DeleteRecord(size_t row) override
    {
        if (!writable) return SongTable::DeleteRecord(row);
        records.erase(records.begin() + static_cast<std::ptrdiff_t>(row));
        if (current_ >= records.size() && current_ > 0) --current_;
    }

private:
    std::string name_ = "Table1";
    std::vector<SongTableField> fields_;
    size_t current_ = 0;
    bool eof_ = true;
};

// A window component over a MemorySongTable: opening loads the file. The
// table stays reachable through `memory`.
inline TableComponent MemoryComponent(MemorySongTable*& memory)
{
    auto table = std::make_unique<MemorySongTable>();
    memory = table.get();
    MemorySongTable* loaded = memory;
    return {std::move(table), [loaded](const std::string& path) {
                if (loaded->records.empty()) loaded->Load(path);
            }};
}
