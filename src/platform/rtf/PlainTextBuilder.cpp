#include "platform/rtf/PlainTextBuilder.h"

#include "platform/CodePage.h"

namespace rtf {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr char32_t kNoCharacter = 0xFFFD;  // AppendUnicodeAsAnsi gives "?" for it

bool IsHighSurrogate(char32_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(char32_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

}  // namespace

void PlainTextBuilder::Begin(int systemCodePage) {
    out_.clear();
    systemCodePage_ = systemCodePage;
    source_ = EncodingForCodePage(kUnspecifiedCodePage, systemCodePage);
    leadBytePending_ = false;
    highSurrogate_ = 0;
    lineStart_ = 0;
    endsWithBreak_ = false;
}

void PlainTextBuilder::SetSourceEncoding(SourceEncoding encoding) {
    source_ = encoding;
}

void PlainTextBuilder::AppendBytes(std::string_view bytes) {
    if (bytes.empty()) return;
    endsWithBreak_ = false;
    if (highSurrogate_ != 0) SettlePending();
    if (source_.meaning == ByteMeaning::Unchanged && !leadBytePending_) {
        out_.append(bytes);
        return;
    }
    for (const char c : bytes) AppendByteSlow(static_cast<unsigned char>(c));
}

void PlainTextBuilder::AppendByteSlow(unsigned char byte) {
    if (leadBytePending_) {
        // Whatever follows a lead byte is its trail byte: together one
        // character that no single-byte page has.
        leadBytePending_ = false;
        out_.push_back('?');
        return;
    }
    if (byte < 0x80) {
        out_.push_back(static_cast<char>(byte));
        return;
    }
    switch (source_.meaning) {
    case ByteMeaning::Unchanged:
        out_.push_back(static_cast<char>(byte));
        break;
    case ByteMeaning::SingleByte:
        AppendUnicodeAsAnsi(out_, AnsiByteToUnicode(byte, source_.codePage), systemCodePage_);
        break;
    case ByteMeaning::UnknownSingleByte:
        out_.push_back('?');
        break;
    case ByteMeaning::DoubleByte:
        if (IsLeadByte(byte, source_.codePage)) {
            leadBytePending_ = true;
        } else {
            out_.push_back('?');  // a single-byte katakana, or a stray trail byte
        }
        break;
    }
}

void PlainTextBuilder::AppendCharacter(char32_t ch) {
    endsWithBreak_ = false;
    if (leadBytePending_) SettlePending();
    if (highSurrogate_ != 0) {
        if (IsLowSurrogate(ch)) {
            const char32_t joined = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (ch - 0xDC00);
            highSurrogate_ = 0;
            AppendUnicodeAsAnsi(out_, joined, systemCodePage_);
            return;
        }
        SettlePending();
    }
    if (IsHighSurrogate(ch)) {
        highSurrogate_ = ch;
        return;
    }
    if (IsLowSurrogate(ch)) ch = kNoCharacter;
    AppendUnicodeAsAnsi(out_, ch, systemCodePage_);
}

void PlainTextBuilder::SettlePending() {
    if (leadBytePending_ || highSurrogate_ != 0) out_.push_back('?');
    leadBytePending_ = false;
    highSurrogate_ = 0;
}

void PlainTextBuilder::EndLine() {
    SettlePending();
    out_.append(kLineBreak);
    lineStart_ = out_.size();
    endsWithBreak_ = true;
}

void PlainTextBuilder::EndLineIfNotEmpty() {
    SettlePending();
    if (out_.size() > lineStart_) EndLine();
}

const std::string& PlainTextBuilder::Finish() {
    SettlePending();
    if (endsWithBreak_ && out_.size() == lineStart_) out_.resize(out_.size() - kLineBreak.size());
    return out_;
}

}  // namespace rtf
