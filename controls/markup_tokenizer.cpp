#include "controls/markup_tokenizer.h"

#include <cctype>

namespace {
struct TagName {
    const char* name;
    size_t length;
    MarkupTag tag;
};

constexpr TagName kTagTable[] = {
    {"u", 1, MarkupTag::Underline},   {"sup", 3, MarkupTag::Superscript}, {"sub", 3, MarkupTag::Subscript},
    {"strong", 6, MarkupTag::Strong}, {"p", 1, MarkupTag::Paragraph},     {"i", 1, MarkupTag::Italic},
    {"font", 4, MarkupTag::Font},     {"em", 2, MarkupTag::Emphasis},     {"br", 2, MarkupTag::Break},
    {"b", 1, MarkupTag::Bold},
};

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

MarkupTag LookUp(const char* word, size_t length) {
    for (const TagName& entry : kTagTable) {
        if (entry.length > length) continue;
        size_t i = 0;
        while (i < entry.length && Lower(word[i]) == entry.name[i]) ++i;
        if (i == entry.length) return entry.tag;
    }
    return MarkupTag::Word;
}

bool IsBlockTag(MarkupTag tag) { return tag == MarkupTag::Paragraph || tag == MarkupTag::Break; }

uint32_t HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    return 0;
}
}  // namespace

bool IsMarkupSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

size_t MarkupTokenizer::SkipSpace(size_t from) const {
    while (from < length_ && IsMarkupSpace(text_[from])) ++from;
    return from;
}

size_t MarkupTokenizer::Scan(size_t from) const {
    while (from < length_ && !IsMarkupSpace(text_[from]) && text_[from] != '<' && text_[from] != '>') ++from;
    return from;
}

bool MarkupTokenizer::NextMarkupToken(MarkupToken& token) {
    const bool blankBefore = pendingBlank_;
    if (position_ < length_ && IsMarkupSpace(text_[position_])) pendingBlank_ = true;
    const size_t start = SkipSpace(position_);
    position_ = start;
    if (start >= length_) return false;

    token = MarkupToken{};
    token.start = start;
    size_t end = start;
    if (text_[start] != '<') {
        while (end < length_ && !IsMarkupSpace(text_[end]) && text_[end] != '<') ++end;
        token.kind = MarkupTag::Word;
    } else {
        size_t wordStart = start + 1;
        if (wordStart < length_ && text_[wordStart] == '/') {
            token.endTag = true;
            ++wordStart;
        }
        end = Scan(wordStart);
        MarkupTag tag = LookUp(text_ + wordStart, end - wordStart);
        if (tag == MarkupTag::Font && !token.endTag) {
            while (end < length_ && text_[end] != '>' && text_[end] != '<') ++end;
            if (end < length_ && text_[end] == '>') ++end;
        } else if (tag != MarkupTag::Word) {
            if (end < length_ && text_[end] == '>') ++end;
            else tag = MarkupTag::Word;
        }
        if (tag == MarkupTag::Word) {
            // An unknown tag: a start tag shows as text, an end tag is dropped; either takes its ">".
            if (end < length_ && text_[end] == '>') ++end;
            token.kind = token.endTag ? MarkupTag::Dropped : MarkupTag::Word;
            token.endTag = false;
        } else {
            token.kind = tag;
            if (IsBlockTag(tag)) pendingBlank_ = false;
            if (IsBlockTag(tag) || blankBefore) end = SkipSpace(end);
        }
    }
    token.length = end - start;
    position_ = end;
    return true;
}

uint32_t ParseHtmlColor(const char* text, size_t length) {
    size_t i = 0;
    if (i < length && (text[i] == '\'' || text[i] == '"')) ++i;
    if (i < length && text[i] == '#') ++i;
    uint32_t digits[6] = {};
    for (uint32_t& digit : digits) {
        if (i < length) digit = HexDigit(text[i++]);
    }
    const uint32_t red = digits[0] * 16 + digits[1];
    const uint32_t green = digits[2] * 16 + digits[3];
    const uint32_t blue = digits[4] * 16 + digits[5];
    return red | (green << 8) | (blue << 16);
}
