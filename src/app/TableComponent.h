// The window's Table1: a song table plus the one thing the window does to it
// beyond reading, opening a file by path. The program's is a TTable; tests
// give the window a table of their own.
#pragma once

#include "platform/SongTable.h"

#include <functional>
#include <memory>
#include <string>

struct TableComponent {
    std::unique_ptr<SongTable> table;
    // Opens the table file at a native path, with TTable::Open's rules: the
    // same file again changes nothing, another file while open is refused.
    std::function<void(const std::string& path)> open;
};

// A closed TTable named "Table1".
TableComponent MakeTableComponent();
