#include "platform/sqlite/SqliteDatabase.h"

#include "platform/sqlite/Utf8Collation.h"
#include "platform/SysUtils.h"

#include <sqlite3.h>

namespace sqlite {
namespace {

// EasyWorship declares its text columns with this collation; SQLite refuses
// every statement that compares or indexes them until it is registered.
constexpr const char* kCollationName = "UTF8_U_CI";

int CompareCollation(void*, int leftSize, const void* left, int rightSize, const void* right)
{
    return CompareUtf8IgnoringCase(
        std::string_view(static_cast<const char*>(left), static_cast<size_t>(leftSize)),
        std::string_view(static_cast<const char*>(right), static_cast<size_t>(rightSize)));
}

// A "file:" URI for `path`: the characters that mean something in a URI
// are escaped, so any file name opens as itself.
std::string FileUri(const std::string& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '%' || byte == '?' || byte == '#' || byte < 0x20 || byte >= 0x7F) {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0xF];
        } else {
            uri += c;
        }
    }
    // mode=ro: a plain read-only connection that still honours EasyWorship's
    // locks, so a library it is writing is read consistently.
    return uri + "?mode=ro";
}

}  // namespace

Database::Database(std::string path) : path_(std::move(path))
{
    const int rc = sqlite3_open_v2(FileUri(path_).c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        const std::string reason = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw EDatabaseError(path_ + ": " + reason);
    }
    if (sqlite3_create_collation_v2(db_, kCollationName, SQLITE_UTF8, nullptr, CompareCollation, nullptr) !=
        SQLITE_OK) {
        const std::string reason = sqlite3_errmsg(db_);
        sqlite3_close(db_);
        db_ = nullptr;
        throw EDatabaseError(path_ + ": " + reason);
    }
}

Database::~Database() { sqlite3_close(db_); }

bool Database::HasTable(std::string_view name) const
{
    Statement query(*this, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
    query.BindText(1, name);
    return query.Step();
}

void Database::Fail(std::string_view what) const
{
    throw EDatabaseError(path_ + ": " + std::string(what) + ": " + sqlite3_errmsg(db_));
}

Statement::Statement(const Database& db, std::string_view sql) : db_(db)
{
    if (sqlite3_prepare_v2(db.Handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        db.Fail("Cannot read the database");
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::Reset() { sqlite3_reset(stmt_); }

void Statement::BindInt64(int index, int64_t value)
{
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) db_.Fail("Cannot read the database");
}

void Statement::BindText(int index, std::string_view value)
{
    if (sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        db_.Fail("Cannot read the database");
}

bool Statement::Step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    db_.Fail("Cannot read the database");
}

int64_t Statement::Int64(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string_view Statement::Bytes(int column) const
{
    // Blob first: it hands the bytes over exactly as stored, whatever the
    // column's declared type, and never converts text encodings.
    const void* data = sqlite3_column_blob(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    if (data == nullptr || size <= 0) return {};
    return std::string_view(static_cast<const char*>(data), static_cast<size_t>(size));
}

}  // namespace sqlite
