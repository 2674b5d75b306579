// What TTable reads songs from, whatever kind of file holds them: an
// EasyWorship 2009 Paradox table or an EasyWorship 6/7 SQLite library.
// TTable keeps the position and the component's error texts; a source only
// answers by row.
#pragma once

#include "platform/SongTable.h"

#include <cstddef>
#include <string>
#include <vector>

class TableSource {
public:
    virtual ~TableSource() = default;

    virtual const std::vector<SongTableField>& Fields() const = 0;
    // The code page the file declares; 0 when it declares none.
    virtual int CodePage() const = 0;
    virtual size_t RecordCount() const = 0;
    // The value of `field` of record `row` as ANSI text; both are in range.
    virtual std::string Text(size_t row, size_t field) const = 0;
    // Empty when the grid may change the file, else the reason it may not.
    virtual std::string ReadOnlyReason() const { return {}; }
};
