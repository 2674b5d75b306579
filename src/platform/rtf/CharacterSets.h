// What the 8-bit bytes of a rich text mean: the character sets a font names
// with \fcharset, and how bytes of a code page reach the system code page.
#pragma once

namespace rtf {

// A code page number that is no real page: "this font names no particular
// character set", so the document's \ansicpg (or the system page) decides.
// \fcharset0 and \fcharset1 mean this, and so does every number not in the
// table of Microsoft's RTF reference.
inline constexpr int kUnspecifiedCodePage = 0;

// Windows' own number for the Symbol character set. Its bytes are glyph
// numbers of a picture font, not letters of any page; the rich edit control
// kept them as they were, and so do we.
inline constexpr int kSymbolCodePage = 42;

// The code page of a \fcharset number, after the table in Microsoft's RTF
// reference; kUnspecifiedCodePage where the number names none.
int CodePageForCharset(int charset);

// How bytes of one code page become bytes of the system code page.
enum class ByteMeaning {
    Unchanged,        // the page is the system page (or Symbol): copy the bytes
    SingleByte,       // a page we carry a table for: convert each byte
    UnknownSingleByte,  // a page we carry no table for (OEM, Mac): bytes
                        // above 0x7F give "?", ASCII passes
    DoubleByte,       // Japanese, Chinese, Korean pages: ASCII passes, a lead
                      // byte and its trail byte give one "?", since no
                      // single-byte system page has those letters anyway
};

struct SourceEncoding {
    ByteMeaning meaning = ByteMeaning::Unchanged;
    int codePage = kUnspecifiedCodePage;  // the page the bytes are in
};

// The meaning of bytes in `codePage` for output in `systemCodePage`.
// kUnspecifiedCodePage means the system page.
SourceEncoding EncodingForCodePage(int codePage, int systemCodePage);

// Whether `byte` starts a two-byte character in a DoubleByte page.
bool IsLeadByte(unsigned char byte, int codePage);

}  // namespace rtf
