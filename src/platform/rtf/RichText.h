// Rich text (RTF) to plain text: what the rich edit control gave back as its
// window text once the lyrics had been put into it.
//
// The input is ANSI text up to its first NUL. Text that begins with "{\rtf"
// is read as rich text; any other text comes back unchanged. The plain text
// is in the system ANSI code page, one line per paragraph, lines separated by
// CR LF; the final paragraph mark adds no line break of its own
// ("a\par b\par" gives "a\r\nb", "a\par\par" gives "a\r\n").
//
// What is kept: every character of the document's text. Bytes are read in the
// code page of the text's font when its \fcharset names one (204 Cyrillic,
// 238 Central European, ...), else in the \ansicpg page, else (\ansi alone,
// \fcharset0 or 1, as EasyWorship writes) as bytes of the system page,
// unchanged; they are converted to the system page where the two differ,
// "?" where the system page has no form. \uN characters take Windows'
// best-fit form (AppendUnicodeAsAnsi) and their \ucN fallback is skipped.
// Text in a code page we carry no table for becomes "?" per character
// (ASCII passes): the OEM and Mac pages byte by byte, the Japanese, Chinese
// and Korean pages per two-byte character. Symbol-font bytes pass unchanged.
//
// What is dropped: formatting and control words; destinations without text
// (font, colour and style tables, document information, pictures, objects,
// shapes, headers, footers, footnotes, annotations, list tables,
// paragraph-numbering text, every {\* ...} group); \bin data.
//
// Choices made for song lyrics, where each line becomes a line on a slide and
// an empty line separates slides:
// - \line (a manual line break) ends the line like \par: on the screen it
//   started a new line, and the song should show it the same way.
// - Table cells and rows (\cell, \row and their nested forms) and page and
//   column breaks end the line unless it is still empty, so each cell's text
//   is a line of its own and empty cells add no empty line (which would
//   split a slide).
// - Fields: the shown result (\fldrslt) is kept, the instruction (\fldinst)
//   dropped.
// - Hidden text (\v) is dropped, its paragraph marks too: EasyWorship never
//   showed it, and a hidden note must not become a stray line or slide break.
// - EasyWorship 6/7's own words: a paragraph marked \sdslidemarker gives
//   the empty line that separates slides (its text, if any, is dropped);
//   label paragraphs (\sdparawysiwghidden, "Verse 1") stay lines, as they
//   become the song's section labels; font sizes (\sdfsauto,
//   {\*\sdfsreal 72.9}) are formatting. \pard ends a marker's effect.
//
// Damaged rich text gives its best-effort text: unbalanced braces, cut-off
// escapes, huge parameters, \bin beyond the end and nesting thousands deep
// neither throw nor crash, and the time is linear in the input.
#pragma once

#include "platform/CodePage.h"

#include <memory>
#include <string>
#include <string_view>

// Converts many texts one after the other, reusing its memory: after the
// first few songs a conversion allocates nothing.
class RichTextConverter {
public:
    RichTextConverter();
    ~RichTextConverter();
    RichTextConverter(RichTextConverter&&) noexcept;
    RichTextConverter& operator=(RichTextConverter&&) noexcept;
    RichTextConverter(const RichTextConverter&) = delete;
    RichTextConverter& operator=(const RichTextConverter&) = delete;

    // The plain text of `text` (see above) in `systemCodePage`. The reference
    // stays valid until the next call or the converter's end.
    const std::string& Convert(std::string_view text, int systemCodePage = GetACP());

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// One conversion with a converter of its own.
std::string RichTextToPlain(std::string_view text, int systemCodePage = GetACP());
