// TTable: the table component, our stand-in for the platform's. It opens an
// EasyWorship song table by path and serves it as a SongTable. The file's
// content decides how it is read, never its name: EasyWorship 2009 and
// earlier keep a Paradox ".DB" file with its ".MB" memo file, EasyWorship 6
// and 7 an SQLite "Songs.db" with "SongWords.db" beside it.
#pragma once

#include "platform/SongTable.h"

#include <memory>
#include <string>

class TableSource;

class TTable final : public SongTable {
public:
    // `name` is the component's name ("Table1" in the window).
    explicit TTable(std::string name);
    ~TTable() override;
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    // Opens the table at `path` (a native path to the ".DB" file; the memo
    // file beside it is found whatever the case of its name, and opened only
    // when a memo value needs it). A change that an earlier run left
    // unfinished (its journal beside the table) is rolled back first. An
    // SQLite library is opened read-only (SqliteSongLibrary.h), its lyrics
    // read when asked for. Throws EDatabaseError naming the file and
    // what is wrong; the component is then closed. While a table is open, the
    // same path again changes nothing and another path is refused with
    // "<name>: Cannot perform this operation on an open dataset".
    void Open(const std::string& path);
    void Close();
    bool Active() const;
    // The path given to the last successful Open, empty when closed.
    const std::string& TableName() const { return path_; }

    const std::string& Name() const override { return name_; }
    const std::vector<SongTableField>& Fields() const override { return fields_; }
    int TableCodePage() const override;

    void First() override;
    void Next() override;
    bool Eof() const override;
    size_t RecNo() const override { return current_; }
    std::string AsText(int field) const override;

    size_t RecordCount() const override;
    std::string RecordText(size_t row, int field) const override;

    // Written to the file at once, as one crash-safe change (TableUpdate.h
    // lists what is refused). The value is stored in the system ANSI code
    // page, best fit. The position stays on the same row number, moved back
    // when that row is gone. An SQLite library refuses both, saying why.
    size_t PostFieldText(size_t row, int field, std::u16string_view value) override;
    void DeleteRecord(size_t row) override;

private:
    void CheckField(int field) const;
    void CheckRow(size_t row) const;
    void CheckWritable() const;
    void Reopen();
    void ReopenAfterFailure();

    std::string name_;
    std::string path_;
    std::unique_ptr<TableSource> table_;
    std::vector<SongTableField> fields_;
    size_t current_ = 0;
    bool eof_ = true;
};
