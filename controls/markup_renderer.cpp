#include "controls/markup_renderer.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/markup_tokenizer.h"
#include "base/unique_handles.h"

namespace {
constexpr int kColourSlots = 8;
constexpr int kStyleCount = 32;

// Saved text colours of "font" tags. The slots outlive each call: a closing tag at depth 0
// restores the colour last saved at depth 0, possibly by an earlier call.
class ColourStack {
public:
    void Start() { depth_ = 0; }
    void Push(HDC dc, COLORREF colour) {
        if (depth_ < kColourSlots) slots_[depth_++] = GetTextColor(dc);
        SetTextColor(dc, colour);
    }
    void Pop(HDC dc) {
        if (depth_ > 0) SetTextColor(dc, slots_[--depth_]);
        else SetTextColor(dc, slots_[0]);
    }

private:
    COLORREF slots_[kColourSlots] = {};
    int depth_ = 0;
};

ColourStack g_colours;

unsigned StyleBit(MarkupTag tag) {
    switch (tag) {
        case MarkupTag::Bold:
        case MarkupTag::Strong: return kMarkupBold;
        case MarkupTag::Italic:
        case MarkupTag::Emphasis: return kMarkupItalic;
        case MarkupTag::Underline: return kMarkupUnderline;
        case MarkupTag::Superscript: return kMarkupSuperscript;
        case MarkupTag::Subscript: return kMarkupSubscript;
        default: return 0;
    }
}

bool IsColourAttribute(const char* tag, size_t length) {
    // "<font" and one separator, then the attribute name.
    constexpr size_t kNameAt = 6;
    constexpr char kName[] = "color=";
    if (length < kNameAt + sizeof(kName) - 1) return false;
    return _strnicmp(tag + kNameAt, kName, sizeof(kName) - 1) == 0;
}

SIZE TextSize(HDC dc, const char* text, size_t length) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(length), &size);
    return size;
}

// A word as the device context lays it out: its characters and the advance of each, measured
// once. It is drawn at exactly these advances, so the drawn word is as wide as the layout took
// it to be; a word drawn as one string may come out wider (seen under Wine) and eat the blank
// after it. UTF-16 keeps one advance per character whatever the code page.
class MeasuredWord {
public:
    MeasuredWord(HDC dc, const char* text, size_t length) {
        const int count = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
        if (count <= 0) return;
        characters_.resize(static_cast<size_t>(count));
        MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), characters_.data(), count);
        advances_.resize(characters_.size());
        SIZE size{};
        if (!GetTextExtentExPointW(dc, characters_.data(), count, 0, nullptr, advances_.data(), &size)) {
            characters_.clear();
            return;
        }
        for (size_t i = advances_.size() - 1; i > 0; --i) advances_[i] -= advances_[i - 1];  // extents to advances
        width_ = size.cx;
    }
    int Width() const { return width_; }
    // The cell of the first character with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y) const {
        if (characters_.empty()) return;
        ExtTextOutW(dc, x, y, 0, nullptr, characters_.data(), static_cast<UINT>(characters_.size()), advances_.data());
    }

private:
    std::wstring characters_;
    std::vector<int> advances_;
    int width_ = 0;
};

// Where a word's cell starts in its line: DrawText's DT_BOTTOM and DT_VCENTER, which apply to
// single lines only.
int CellTop(UINT format, int lineTop, int lineHeight, int textHeight, int direction) {
    if ((format & DT_SINGLELINE) == 0) return lineTop;
    const int spare = lineHeight - textHeight;
    if (format & DT_BOTTOM) return lineTop + direction * spare;
    if (format & DT_VCENTER) return lineTop + direction * (spare / 2);
    return lineTop;
}

int TextHeight(HDC dc) {
    TEXTMETRICA metrics{};
    return GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 0;
}

// The style fonts of one call; entry 0 is the caller's font and is not ours to delete.
class StyleFonts {
public:
    explicit StyleFonts(HFONT base) : base_(base) {}
    HFONT Get(unsigned style) {
        if (style == 0) return base_;
        if (!fonts_[style]) fonts_[style].reset(MakeStyledFont(base_, style));
        return fonts_[style] ? fonts_[style].get() : base_;
    }

private:
    HFONT base_;
    UniqueFont fonts_[kStyleCount];
};
}  // namespace

HFONT MakeStyledFont(HFONT base, unsigned style) {
    LOGFONTA font{};
    if (!GetObjectA(base, sizeof(font), &font)) return nullptr;
    font.lfWeight = (style & kMarkupBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (style & kMarkupItalic) ? TRUE : FALSE;
    font.lfUnderline = (style & kMarkupUnderline) ? TRUE : FALSE;
    if (style & (kMarkupSuperscript | kMarkupSubscript)) font.lfHeight = font.lfHeight * 7 / 10;
    return CreateFontIndirectA(&font);
}

int DrawMarkup(HDC dc, const char* text, int length, RECT* rect, UINT format) {
    if (!dc || !text) return 0;
    const size_t textLength = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    format = (format & ~(DT_CENTER | DT_RIGHT | DT_TABSTOP)) | DT_NOPREFIX;
    const bool singleLine = format & DT_SINGLELINE;
    const bool wordBreak = format & DT_WORDBREAK;
    const bool measureOnly = format & DT_CALCRECT;
    const UINT drawFormat = format & ~DT_CALCRECT;

    const int saved = SaveDC(dc);
    // Words are placed by their cell's top-left corner, whatever alignment the caller left.
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    HFONT base = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    StyleFonts fonts(base);
    // "\xC3\x85" is the letter A with ring in the UTF-8 code page the program runs with.
    const int lineHeight = TextSize(dc, "\xC3\x85y", 3).cy;

    int left = 0, top = 0, available = 0;
    if (rect) {
        left = rect->left;
        top = rect->top;
        available = std::max(0, static_cast<int>(rect->right - rect->left));
    } else {
        POINT current{};
        GetCurrentPositionEx(dc, &current);
        left = current.x;
        top = current.y;
        available = std::max(0, GetDeviceCaps(dc, HORZRES) - left);
    }

    int x = 0, y = 0, widest = 0, blank = 0, textHeight = lineHeight;
    unsigned style = 0;
    int lastStyle = -1;
    g_colours.Start();

    MarkupTokenizer tokens(text, textLength);
    MarkupToken token;
    while (tokens.NextMarkupToken(token)) {
        const char* at = text + token.start;
        switch (token.kind) {
            case MarkupTag::Dropped: break;
            case MarkupTag::Break:
                if (!token.endTag && !singleLine) {
                    y += lineHeight;
                    x = 0;
                }
                break;
            case MarkupTag::Paragraph:
                if (!token.endTag && !singleLine) {
                    if (token.start != 0) y += (3 * lineHeight) / 2;
                    x = 0;
                }
                break;
            case MarkupTag::Font:
                if (token.endTag) {
                    g_colours.Pop(dc);
                } else if (IsColourAttribute(at, token.length)) {
                    constexpr size_t kValueAt = 12;
                    g_colours.Push(dc, ParseHtmlColor(at + kValueAt, token.length - kValueAt));
                }
                break;
            case MarkupTag::Word: {
                if (static_cast<int>(style) != lastStyle) {
                    SelectObject(dc, fonts.Get(style));
                    blank = TextSize(dc, " ", 1).cx;
                    textHeight = TextHeight(dc);
                    lastStyle = static_cast<int>(style);
                }
                const MeasuredWord word(dc, at, token.length);
                const int width = word.Width();
                available = std::max(available, width);
                const bool pending = tokens.PendingBlank();
                if (pending) x += blank;
                if (x + width > available && pending) {
                    if (wordBreak) {
                        y += lineHeight;
                        x = 0;
                    } else {
                        available = x + width;
                    }
                }
                if (!measureOnly) {
                    // A negative top means a mapping mode whose y axis points up.
                    const int direction = top < 0 ? -1 : 1;
                    const int lineTop = top + direction * y;
                    const UINT wordFormat =
                        (style & kMarkupSubscript) ? drawFormat | DT_BOTTOM | DT_SINGLELINE : drawFormat;
                    const int cellTop = CellTop(wordFormat, lineTop, lineHeight, textHeight, direction);
                    word.Draw(dc, left + x, cellTop);
                    if (pending && (style & kMarkupUnderline) && x >= blank) {
                        ExtTextOutW(dc, left + x - blank, cellTop, 0, nullptr, L" ", 1, &blank);
                    }
                }
                x += width;
                widest = std::max(widest, x);
                tokens.ClearPendingBlank();
                break;
            }
            default:
                if (token.endTag) style &= ~StyleBit(token.kind);
                else style |= StyleBit(token.kind);
                break;
        }
    }

    RestoreDC(dc, saved);
    if (measureOnly && rect) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + y + lineHeight;
    }
    return y;
}

int DrawMarkupInRect(HDC dc, const RECT& rect, const char* text) {
    RECT layout = rect;
    return DrawMarkup(dc, text, -1, &layout, DT_WORDBREAK);
}
