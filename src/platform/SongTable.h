// The song table as the import run and the grid see it: the platform's
// dataset, reduced to what they use. Implementations read a particular kind
// of table (TTable reads EasyWorship's Paradox tables); nothing here knows
// a file format.
//
// Position rules follow the platform's dataset: after First() the current
// record is the first; Next() moves on, and on the last record it sets Eof()
// and stays there, so after a whole pass the current record is the last one.
// A call that raises leaves the position where it was.
#pragma once

#include "platform/CodePage.h"
#include "platform/SysUtils.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One column, as the grid's field list shows it.
struct SongTableField {
    std::string name;      // ANSI bytes as stored
    std::string typeName;  // "alpha", "memo", "long", ...
    size_t size;           // the size the table declares (characters for text, decimals for BCD)
};

class SongTable {
public:
    virtual ~SongTable() = default;

    // The component's name, which the data-access errors carry in front.
    virtual const std::string& Name() const = 0;
    // The columns; none when no table is open.
    virtual const std::vector<SongTableField>& Fields() const = 0;
    // The code page the table declares (0 when it declares none). Text comes
    // as stored whatever this says; callers decide what to make of it.
    virtual int TableCodePage() const = 0;

    // The position of the column `name`, compared without regard to letter
    // case. Throws EDatabaseError "<Name()>: Field '<name>' not found" when
    // there is no such column, as when no table is open.
    int FieldIndex(std::string_view name) const
    {
        const auto& fields = Fields();
        for (size_t i = 0; i < fields.size(); ++i)
            if (AnsiSameText(fields[i].name, name)) return static_cast<int>(i);
        throw EDatabaseError(Name() + ": Field '" + std::string(name) + "' not found");
    }

    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool Eof() const = 0;
    // The current record's index in table order (0 when the table is empty).
    virtual size_t RecNo() const = 0;
    // The current record's value of column `field` as ANSI text; a null value
    // and an empty table give empty text. Throws EDatabaseError for a column
    // that does not exist and for a value that cannot be read.
    virtual std::string AsText(int field) const = 0;

    // For the grid: random access in table order, without moving the position.
    virtual size_t RecordCount() const = 0;
    virtual std::string RecordText(size_t row, int field) const = 0;

    // Write support for the grid. Each call is one complete, crash-safe change
    // of the table, or none: anything the table cannot do safely throws
    // EDatabaseError with a text that says why and changes nothing.
    //
    // Stores `value` (the grid's text) as the ANSI text of an alpha column of
    // record `row`; an empty value stores null. Returns the record's row
    // afterwards: in a keyed table an edit of a key column moves it.
    virtual size_t PostFieldText(size_t row, int field, std::u16string_view value)
    {
        (void)row, (void)field, (void)value;
        throw EDatabaseError(Name() + ": Cannot modify a read-only dataset");
    }
    // Deletes record `row`.
    virtual void DeleteRecord(size_t row)
    {
        (void)row;
        throw EDatabaseError(Name() + ": Cannot modify a read-only dataset");
    }
};
