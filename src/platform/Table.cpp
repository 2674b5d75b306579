#include "platform/Table.h"

#include "platform/paradox/ByteSource.h"
#include "platform/paradox/ParadoxTable.h"
#include "platform/paradox/TableUpdate.h"
#include "platform/DurableFiles.h"
#include "platform/TableSource.h"
#include "platform/sqlite/SqliteSongLibrary.h"

#include <algorithm>

namespace {

// The memo file's extension; the file is looked for whatever its case.
constexpr const char* kMemoExtension = ".MB";

class ParadoxSource final : public TableSource {
public:
    explicit ParadoxSource(const std::string& path)
        : table_(paradox::OpenFileSource(path), [path] {
              const auto memoPath = paradox::FindSiblingIgnoringCase(path, kMemoExtension);
              return memoPath ? paradox::OpenFileSource(*memoPath) : nullptr;
          })
    {
        for (const auto& f : table_.Fields())
            fields_.push_back({f.name, paradox::FieldTypeName(f.type), f.size});
    }

    const std::vector<SongTableField>& Fields() const override { return fields_; }
    int CodePage() const override { return table_.Header().codePage; }
    size_t RecordCount() const override { return table_.RecordCount(); }
    std::string Text(size_t row, size_t field) const override { return table_.Text(row, field); }

private:
    paradox::ParadoxTable table_;
    std::vector<SongTableField> fields_;
};

std::unique_ptr<TableSource> OpenSource(const std::string& path)
{
    if (sqlite::HasSqliteSignature(path)) return std::make_unique<sqlite::SqliteSongLibrary>(path);
    paradox::RecoverTable(path, SystemFiles());
    return std::make_unique<ParadoxSource>(path);
}

}  // namespace

TTable::TTable(std::string name) : name_(std::move(name)) {}
TTable::~TTable() = default;

void TTable::Open(const std::string& path)
{
    // As the platform's table: its name cannot change while it is open.
    if (Active()) {
        if (path == path_) return;
        throw EDatabaseError(name_ + ": Cannot perform this operation on an open dataset");
    }
    auto table = OpenSource(path);
    fields_ = table->Fields();
    table_ = std::move(table);
    path_ = path;
    First();
}

void TTable::Close()
{
    table_.reset();
    fields_.clear();
    path_.clear();
    current_ = 0;
    eof_ = true;
}

bool TTable::Active() const { return table_ != nullptr; }

int TTable::TableCodePage() const { return table_ ? table_->CodePage() : 0; }

void TTable::First()
{
    current_ = 0;
    eof_ = RecordCount() == 0;
}

void TTable::Next()
{
    if (current_ + 1 < RecordCount())
        ++current_;
    else
        eof_ = true;
}

bool TTable::Eof() const { return eof_; }

size_t TTable::RecordCount() const { return table_ ? table_->RecordCount() : 0; }

void TTable::CheckField(int field) const
{
    if (field < 0 || static_cast<size_t>(field) >= fields_.size())
        throw EDatabaseError(name_ + ": Field index " + std::to_string(field) + " out of range");
}

std::string TTable::AsText(int field) const
{
    CheckField(field);
    if (RecordCount() == 0) return {};
    return table_->Text(current_, static_cast<size_t>(field));
}

void TTable::CheckRow(size_t row) const
{
    if (row >= RecordCount())
        throw EDatabaseError(name_ + ": Record " + std::to_string(row) + " out of range");
}

void TTable::CheckWritable() const
{
    if (const std::string reason = table_ ? table_->ReadOnlyReason() : std::string(); !reason.empty())
        throw EDatabaseError(name_ + ": " + reason);
}

std::string TTable::RecordText(size_t row, int field) const
{
    CheckField(field);
    CheckRow(row);
    return table_->Text(row, static_cast<size_t>(field));
}

size_t TTable::PostFieldText(size_t row, int field, std::u16string_view value)
{
    CheckField(field);
    CheckRow(row);
    CheckWritable();
    const std::string ansi = Utf16ToAnsi(value);
    // The table is read again whatever happened: a failed change may have
    // been rolled back, and the open files must not show a stale block.
    try {
        const size_t moved = paradox::UpdateAlphaField(path_, row, static_cast<size_t>(field), ansi, SystemFiles());
        Reopen();
        return moved;
    } catch (...) {
        ReopenAfterFailure();
        throw;
    }
}

void TTable::DeleteRecord(size_t row)
{
    CheckRow(row);
    CheckWritable();
    try {
        paradox::DeleteTableRecord(path_, row, SystemFiles());
    } catch (...) {
        ReopenAfterFailure();
        throw;
    }
    Reopen();
}

void TTable::Reopen()
{
    const std::string path = path_;
    const size_t current = current_;
    table_.reset();
    path_.clear();
    try {
        Open(path);
    } catch (...) {
        Close();
        throw;
    }
    current_ = std::min(current, RecordCount() == 0 ? 0 : RecordCount() - 1);
    eof_ = RecordCount() == 0;
}

void TTable::ReopenAfterFailure()
{
    try {
        Reopen();
    } catch (const Exception&) {
        // The change's own error is the one to report; the table is closed.
    }
}
