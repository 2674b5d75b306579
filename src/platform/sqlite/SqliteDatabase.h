// A thin owner of an SQLite connection and its statements, for reading
// databases that another program keeps. Every failure becomes an
// EDatabaseError naming the file and SQLite's reason.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace sqlite {

class Database {
public:
    // Opens the database at `path` read-only: nothing we do may change a
    // library that EasyWorship keeps, nor leave journal files beside it.
    // Registers the UTF8_U_CI collation before anything can query.
    explicit Database(std::string path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& Path() const { return path_; }
    sqlite3* Handle() const { return db_; }

    // Whether the database has a table named `name` (its own letter case).
    bool HasTable(std::string_view name) const;

    // Throws EDatabaseError "<path>: <what>: <SQLite's message>".
    [[noreturn]] void Fail(std::string_view what) const;

private:
    std::string path_;
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(const Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Back to before the first row, bindings kept.
    void Reset();
    void BindInt64(int index, int64_t value);
    void BindText(int index, std::string_view value);
    // True with a row to read, false when there are no more.
    bool Step();

    int64_t Int64(int column) const;
    // The column's bytes as stored (text or blob); empty for null. Valid
    // until the next Step or Reset.
    std::string_view Bytes(int column) const;

private:
    const Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace sqlite
