// Assembles the plain text: characters in the system code page, lines
// separated by CR LF. Takes bytes in the rich text's code page of the moment
// and Unicode characters, and converts both.
#pragma once

#include "platform/rtf/CharacterSets.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace rtf {

class PlainTextBuilder {
public:
    // Starts a new text; the buffer keeps its memory from earlier texts.
    void Begin(int systemCodePage);

    // The code page the following bytes are in.
    void SetSourceEncoding(SourceEncoding encoding);

    // Text bytes in the source encoding.
    void AppendBytes(std::string_view bytes);

    // One Unicode character (or half of a surrogate pair: a high half waits
    // for its low half), in its best-fit form; "?" when it has none.
    void AppendCharacter(char32_t ch);

    // Ends the line.
    void EndLine();

    // Ends the line unless nothing was written since the last line ended.
    void EndLineIfNotEmpty();

    // The text. A last line break with nothing after it is dropped: the
    // rich text's final paragraph mark ends the text, it adds no empty line.
    const std::string& Finish();

private:
    // A lead byte or a high surrogate that found no partner: one "?".
    void SettlePending();
    void AppendByteSlow(unsigned char byte);

    std::string out_;
    int systemCodePage_ = 1252;
    SourceEncoding source_;
    bool leadBytePending_ = false;
    char32_t highSurrogate_ = 0;  // 0: none pending
    std::size_t lineStart_ = 0;   // where the current line began in out_
    bool endsWithBreak_ = false;  // the last thing written was a line break
};

}  // namespace rtf
