#pragma once
// The markup format of headers, list rows and details: words and a few HTML-like tags.
// Usage: MarkupTokenizer tokens(text, length); MarkupToken token;
//        while (tokens.NextMarkupToken(token)) { ... tokens.ClearPendingBlank() after a word ... }
#include <cstddef>
#include <cstdint>

// Tag numbers in lookup order; the first name the tag word begins with is taken.
enum class MarkupTag : uint8_t {
    Word = 0,
    Underline,
    Superscript,
    Subscript,
    Strong,
    Paragraph,
    Italic,
    Font,
    Emphasis,
    Break,
    Bold,
    Dropped,  // an end tag of no known name: draws nothing
};

struct MarkupToken {
    size_t start = 0;   // offset of the token's first character in the text
    size_t length = 0;  // characters consumed, including white space taken with a tag
    MarkupTag kind = MarkupTag::Word;
    bool endTag = false;
};

class MarkupTokenizer {
public:
    MarkupTokenizer(const char* text, size_t length) : text_(text), length_(text ? length : 0) {}

    // False when only white space or nothing remains.
    bool NextMarkupToken(MarkupToken& token);

    // Set when white space stood before the current word; the layout clears it after each word.
    bool PendingBlank() const { return pendingBlank_; }
    void ClearPendingBlank() { pendingBlank_ = false; }

private:
    size_t Scan(size_t from) const;  // end of a tag word: next white space, "<" or ">"
    size_t SkipSpace(size_t from) const;

    const char* text_;
    size_t length_;
    size_t position_ = 0;
    bool pendingBlank_ = false;
};

bool IsMarkupSpace(char c);

// Colour after "color=": an optional quote, an optional "#", then RRGGBB; characters that are
// not hexadecimal digits, and digits missing at the end of the text, count as 0.
// The result is laid out as a Windows COLORREF (red in the low byte).
uint32_t ParseHtmlColor(const char* text, size_t length);
