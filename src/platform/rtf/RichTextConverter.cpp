#include "platform/rtf/RichText.h"

#include "platform/rtf/CharacterSets.h"
#include "platform/rtf/ControlWords.h"
#include "platform/rtf/FontTable.h"
#include "platform/rtf/GroupStack.h"
#include "platform/rtf/PlainTextBuilder.h"
#include "platform/rtf/RichTextReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr std::string_view kRichTextSignature = "{\\rtf";

// A destination word or \* turns the group it stands in into a skipped
// destination, but never the outermost group: a damaged text with \info or
// \* outside any inner group would otherwise lose every line.
constexpr std::size_t kShallowestDestination = 2;

constexpr char32_t kNoBreakSpace = 0xA0;
constexpr char32_t kNoCharacter = 0xFFFD;

// NUL, CR and LF are no characters of the plain text, however they are
// written: the text ends at a NUL for every reader after us, and line breaks
// come from paragraph marks alone (CR and LF in rich text are no text).
bool IsNoCharacter(char32_t ch) {
    return ch == 0 || ch == U'\r' || ch == U'\n';
}

// \uN is a signed 16-bit number: writers give characters above U+7FFF as
// negative values. Values beyond 16 bits are taken as they stand while they
// name a character.
char32_t UnicodeOfParameter(int32_t parameter) {
    if (parameter < 0) parameter += 0x10000;
    if (parameter < 0 || parameter > 0x10FFFF) return kNoCharacter;
    return static_cast<char32_t>(parameter);
}

}  // namespace

using namespace rtf;

struct RichTextConverter::Impl {
    PlainTextBuilder output;
    GroupStack groups;
    FontTable fonts;
    int systemCodePage = 1252;
    int documentCodePage = kUnspecifiedCodePage;  // \ansicpg
    int32_t defaultFont = kDefaultFont;           // \deff
    int32_t fontBeingDefined = kDefaultFont;      // the last \f in the font table
    int32_t fallbackToSkip = 0;                   // left of the last \u's fallback
    bool encodingStale = true;                    // font or code page changed

    const std::string& Convert(std::string_view text, int codePage);
    void Read(std::string_view richText);
    bool SkipFallback();
    void OnControlWord(const Token& token);
    void OnControlSymbol(char symbol);
    void OnFontTableWord(Keyword keyword, const Token& token);
    void OnTextBytes(std::string_view bytes);
    void EnterDestination(Destination destination);
    bool TextShown() const {
        const GroupState& state = groups.Top();
        return state.destination == Destination::Text && !state.hidden && !state.slideMarker;
    }
};

const std::string& RichTextConverter::Impl::Convert(std::string_view text, int codePage) {
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    output.Begin(codePage);
    if (!text.starts_with(kRichTextSignature)) {
        output.AppendBytes(text);  // the system page's own bytes: copied
        return output.Finish();
    }
    systemCodePage = codePage;
    documentCodePage = kUnspecifiedCodePage;
    defaultFont = kDefaultFont;
    fontBeingDefined = kDefaultFont;
    fallbackToSkip = 0;
    encodingStale = true;
    groups.Reset();
    fonts.Clear();
    Read(text);
    return output.Finish();
}

void RichTextConverter::Impl::Read(std::string_view richText) {
    RichTextReader reader(richText);
    Token token;
    for (;;) {
        reader.Next(token);
        switch (token.kind) {
        case TokenKind::End:
            return;
        case TokenKind::GroupOpen:
            fallbackToSkip = 0;  // a fallback never reaches past a brace
            groups.Open();
            break;
        case TokenKind::GroupClose:
            fallbackToSkip = 0;
            if (!groups.Close()) return;  // the end of the outermost group ends the text
            encodingStale = true;
            break;
        case TokenKind::ControlWord:
            if (!SkipFallback()) OnControlWord(token);
            break;
        case TokenKind::ControlSymbol:
            if (!SkipFallback()) OnControlSymbol(token.symbol);
            break;
        case TokenKind::HexByte:
            if (!SkipFallback() && !IsNoCharacter(token.byte)) {
                OnTextBytes(std::string_view(reinterpret_cast<const char*>(&token.byte), 1));
            }
            break;
        case TokenKind::Text: {
            std::string_view text = token.text;
            const auto skipped = std::min(static_cast<std::size_t>(fallbackToSkip), text.size());
            fallbackToSkip -= static_cast<int32_t>(skipped);
            text.remove_prefix(skipped);
            OnTextBytes(text);
            break;
        }
        case TokenKind::Binary:
            SkipFallback();  // the data itself is never text
            break;
        }
    }
}

// Counts one character of a \u's fallback (a byte, an escape, a control
// word or symbol, a \bin block, as Microsoft's RTF reference counts them) and
// says whether it was one.
bool RichTextConverter::Impl::SkipFallback() {
    if (fallbackToSkip == 0) return false;
    --fallbackToSkip;
    return true;
}

void RichTextConverter::Impl::OnTextBytes(std::string_view bytes) {
    if (bytes.empty() || !TextShown()) return;
    if (encodingStale) {
        const int32_t font = groups.Top().font >= 0 ? groups.Top().font : defaultFont;
        int codePage = font >= 0 ? fonts.CodePageOf(font) : kUnspecifiedCodePage;
        if (codePage == kUnspecifiedCodePage) codePage = documentCodePage;
        output.SetSourceEncoding(EncodingForCodePage(codePage, systemCodePage));
        encodingStale = false;
    }
    output.AppendBytes(bytes);
}

void RichTextConverter::Impl::EnterDestination(Destination destination) {
    if (groups.Depth() >= kShallowestDestination) groups.Top().destination = destination;
}

void RichTextConverter::Impl::OnControlWord(const Token& token) {
    GroupState& state = groups.Top();
    if (state.destination == Destination::Skipped) return;
    const ControlWordMeaning meaning = LookupControlWord(token.name);
    if (state.destination == Destination::FontTable) {
        OnFontTableWord(meaning.keyword, token);
        return;
    }
    const int32_t parameter = token.hasParameter ? token.parameter : 0;
    switch (meaning.keyword) {
    case Keyword::Unknown:
    case Keyword::FontCharset:  // outside the font table they mean nothing
    case Keyword::FontCodePage:
        break;
    case Keyword::SkipDestination:
        EnterDestination(Destination::Skipped);
        break;
    case Keyword::FontTable:
        EnterDestination(Destination::FontTable);
        fontBeingDefined = kDefaultFont;
        break;
    case Keyword::Paragraph:
        if (state.hidden) break;
        // A slide marker's paragraph is the empty line between two slides,
        // whatever it holds, and even when the line before it was not ended.
        if (state.slideMarker) output.EndLineIfNotEmpty();
        output.EndLine();
        break;
    case Keyword::LineBreak:
        if (!state.hidden && !state.slideMarker) output.EndLine();
        break;
    case Keyword::SoftBreak:
        if (!state.hidden && !state.slideMarker) output.EndLineIfNotEmpty();
        break;
    case Keyword::Character:
        if (!state.hidden && !state.slideMarker) output.AppendCharacter(meaning.value);
        break;
    case Keyword::Plain:
        state.hidden = false;
        state.font = kDefaultFont;
        encodingStale = true;
        break;
    case Keyword::Font:
        state.font = parameter;
        encodingStale = true;
        break;
    case Keyword::DefaultFont:
        defaultFont = parameter;
        encodingStale = true;
        break;
    case Keyword::DocumentCodePage:
        documentCodePage = meaning.value != 0 ? static_cast<int>(meaning.value) : parameter;
        if (documentCodePage < 0) documentCodePage = kUnspecifiedCodePage;
        encodingStale = true;
        break;
    case Keyword::Unicode: {
        const char32_t ch = UnicodeOfParameter(parameter);
        if (!state.hidden && !state.slideMarker && !IsNoCharacter(ch)) output.AppendCharacter(ch);
        fallbackToSkip = state.unicodeFallback;
        break;
    }
    case Keyword::UnicodeFallback:
        state.unicodeFallback = std::max<int32_t>(parameter, 0);
        break;
    case Keyword::Hidden:
        state.hidden = !token.hasParameter || token.parameter != 0;
        break;
    case Keyword::ParagraphDefaults:
        state.slideMarker = false;
        break;
    case Keyword::SlideMarker:
        state.slideMarker = true;
        break;
    }
}

// Inside \fonttbl: "\f3 ... \fcharset204 ... \cpg1251 ... Name;" per font.
void RichTextConverter::Impl::OnFontTableWord(Keyword keyword, const Token& token) {
    const int32_t parameter = token.hasParameter ? token.parameter : 0;
    switch (keyword) {
    case Keyword::Font:
        fontBeingDefined = parameter;
        break;
    case Keyword::FontCharset:
        if (fontBeingDefined >= 0) fonts.SetCodePage(fontBeingDefined, CodePageForCharset(parameter));
        encodingStale = true;
        break;
    case Keyword::FontCodePage:
        if (fontBeingDefined >= 0 && parameter > 0) fonts.SetCodePage(fontBeingDefined, parameter);
        encodingStale = true;
        break;
    case Keyword::SkipDestination:  // \panose, \falt and the like
        EnterDestination(Destination::Skipped);
        break;
    default:
        break;
    }
}

void RichTextConverter::Impl::OnControlSymbol(char symbol) {
    if (symbol == '*') {
        // Marks a destination a reader may skip when it does not know it;
        // every destination we read has a word of its own.
        if (groups.Top().destination != Destination::Skipped) EnterDestination(Destination::Skipped);
        return;
    }
    if (!TextShown()) return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        output.AppendCharacter(static_cast<unsigned char>(symbol));
        break;
    case '~':
        output.AppendCharacter(kNoBreakSpace);
        break;
    case '_':
        // A non-breaking hyphen: on a slide it is a hyphen.
        output.AppendCharacter(U'-');
        break;
    case '\t':
        output.AppendCharacter(U'\t');
        break;
    case '\r':
    case '\n':
        // A backslash before a line end means \par, as in Microsoft's RTF reference.
        output.EndLine();
        break;
    default:
        // \- (optional hyphen), \| \: (formula and index marks) and the
        // rest show nothing.
        break;
    }
}

RichTextConverter::RichTextConverter() : impl_(std::make_unique<Impl>()) {}
RichTextConverter::~RichTextConverter() = default;
RichTextConverter::RichTextConverter(RichTextConverter&&) noexcept = default;
RichTextConverter& RichTextConverter::operator=(RichTextConverter&&) noexcept = default;

const std::string& RichTextConverter::Convert(std::string_view text, int systemCodePage) {
    return impl_->Convert(text, systemCodePage);
}

std::string RichTextToPlain(std::string_view text, int systemCodePage) {
    RichTextConverter converter;
    return converter.Convert(text, systemCodePage);
}
