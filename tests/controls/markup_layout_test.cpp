#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "controls/markup_renderer.h"
#include "base/unique_handles.h"
#include "tests/controls/drawing_surface.h"

namespace {
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class MarkupLayout : public ::testing::Test {
protected:
    MarkupLayout() : bold_(MakeStyledFont(surface_.Font(), kMarkupBold)) {}

    // The measured rectangle of a text laid out from (10, 20) into the given width.
    RECT Measure(const std::string& text, int width, UINT format = DT_WORDBREAK, int* offset = nullptr) {
        RECT rect{10, 20, 10 + width, 20};
        const int y = DrawMarkup(surface_.Dc(), text.c_str(), -1, &rect, format | DT_CALCRECT);
        if (offset) *offset = y;
        return rect;
    }
    int Width(const char* text) const { return surface_.Extent(text).cx; }
    int BoldWidth(const char* text) const { return surface_.Extent(text, bold_.get()).cx; }
    int LineHeight() const { return surface_.Extent("\xC3\x85y").cy; }

    DrawingSurface surface_{400, 200};
    UniqueFont bold_;
};
}  // namespace

TEST_F(MarkupLayout, BoldTagsBetweenLettersAddNoBlanks) {
    EXPECT_EQ(Measure("a<b>b</b>c", 300).right - 10, Width("a") + BoldWidth("b") + Width("c"));
    // The blank before a word is measured in that word's style.
    EXPECT_EQ(Measure("a <b>b</b> c", 300).right - 10,
              Width("a") + BoldWidth(" ") + BoldWidth("b") + Width(" ") + Width("c"));
    ASSERT_NE(BoldWidth("bbbbbbbb"), Width("bbbbbbbb")) << "the bold font must differ for this test";
}

TEST_F(MarkupLayout, WhitespaceRunsShowAsOneBlank) {
    EXPECT_EQ(Measure("a \t\r\n   b", 300).right - 10, Width("a") + Width(" ") + Width("b"));
}

TEST_F(MarkupLayout, WordsWrapAtTheAvailableWidth) {
    const int fits = Width("aaa") + Width(" ") + Width("bbb");
    int offset = -1;
    const RECT rect = Measure("aaa bbb ccc", fits, DT_WORDBREAK, &offset);
    EXPECT_EQ(offset, LineHeight());
    EXPECT_EQ(rect.right - 10, fits);
    EXPECT_EQ(rect.bottom - 20, 2 * LineHeight());

    // Without DT_WORDBREAK the line grows instead.
    const RECT oneLine = Measure("aaa bbb ccc", fits, 0, &offset);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(oneLine.right - 10, fits + Width(" ") + Width("ccc"));
}

TEST_F(MarkupLayout, WordWiderThanTheRectangleStandsWholeOnItsOwnLine) {
    const int longWidth = Width("unbreakablewordhere");
    int offset = -1;
    const RECT rect = Measure("a unbreakablewordhere b", 20, DT_WORDBREAK, &offset);
    EXPECT_EQ(rect.right - 10, longWidth);
    EXPECT_EQ(offset, 2 * LineHeight());

    // A negative width counts as none: every word widens the layout.
    RECT inverted{50, 0, 10, 0};
    DrawMarkup(surface_.Dc(), "xx", -1, &inverted, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(inverted.right - inverted.left, Width("xx"));
}

TEST_F(MarkupLayout, LineAndParagraphBreaks) {
    int offset = -1;
    Measure("one<br>two", 300, DT_WORDBREAK, &offset);
    EXPECT_EQ(offset, LineHeight());
    const RECT startParagraph = Measure("<p>one", 300, DT_WORDBREAK, &offset);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(startParagraph.bottom - 20, LineHeight());
    Measure("one<p>two", 300, DT_WORDBREAK, &offset);
    EXPECT_EQ(offset, 3 * LineHeight() / 2);
}

TEST_F(MarkupLayout, SingleLineIgnoresBreaksAndParagraphs) {
    int offset = -1;
    const RECT rect = Measure("one<br>two<p>three", 20, DT_SINGLELINE | DT_WORDBREAK, &offset);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(rect.right - 10, Width("onetwothree"));
    EXPECT_EQ(rect.bottom - 20, LineHeight());
}

TEST_F(MarkupLayout, UnknownImageTagIsDrawnAsWords) {
    EXPECT_EQ(Measure("<img src=x>", 300).right - 10, Width("<img") + Width(" ") + Width("src=x>"));
    EXPECT_EQ(Measure("a</img>b", 300).right - 10, Width("a") + Width("b"));
}

TEST_F(MarkupLayout, NoTextOrNoDeviceContextDrawsNothing) {
    RECT rect{0, 0, 100, 0};
    EXPECT_EQ(DrawMarkup(nullptr, "text", -1, &rect, DT_CALCRECT), 0);
    EXPECT_EQ(DrawMarkup(surface_.Dc(), nullptr, -1, &rect, DT_CALCRECT), 0);
    EXPECT_EQ(rect.right, 100);
    EXPECT_EQ(DrawMarkup(surface_.Dc(), "", -1, &rect, DT_CALCRECT), 0);
    EXPECT_EQ(rect.right, 0);
    // The length is honoured: the bold word after it is not measured.
    RECT part{0, 0, 300, 0};
    DrawMarkup(surface_.Dc(), "ab <b>wide</b>", 2, &part, DT_CALCRECT);
    EXPECT_EQ(part.right, Width("ab"));
}

TEST_F(MarkupLayout, BrowserHelperHeaderDrawsItsBoldWordInBlue) {
    const char* header = "<font color=\"#0000FF\"<b>Manage Browser Helper Objects</b></font><br>BHO's are attached";
    RECT rect{0, 0, 400, 200};
    DrawMarkup(surface_.Dc(), header, -1, &rect, DT_WORDBREAK);
    const int height = LineHeight();
    EXPECT_GT(surface_.Count({0, 0, 400, height}, kBlue), 20);
    EXPECT_EQ(surface_.Count({0, 0, 400, height}, kBlack), 0);
    EXPECT_GT(surface_.Count({0, height, 400, 2 * height}, kBlack), 20);
    EXPECT_EQ(surface_.Count({0, height, 400, 2 * height}, kBlue), 0);
}

TEST_F(MarkupLayout, ColourWithoutQuotesMatchesQuoted) {
    RECT rect{0, 0, 400, 100};
    DrawMarkup(surface_.Dc(), "<font color=#FF0000>red</font> black", -1, &rect, DT_WORDBREAK);
    const int bare = surface_.Count({0, 0, 400, 100}, kRed);
    EXPECT_GT(bare, 20);
    surface_.Clear();
    DrawMarkup(surface_.Dc(), "<font color=\"#FF0000\">red</font> black", -1, &rect, DT_WORDBREAK);
    EXPECT_EQ(surface_.Count({0, 0, 400, 100}, kRed), bare);
}

TEST_F(MarkupLayout, ClosingFontAtDepthZeroRestoresTheColourLastSavedThere) {
    RECT rect{0, 0, 400, 100};
    // The first push of this call saves blue, the text colour the caller has selected.
    SetTextColor(surface_.Dc(), kBlue);
    DrawMarkup(surface_.Dc(), "<font color=\"#FF0000\">x</font>", -1, &rect, DT_WORDBREAK);
    SetTextColor(surface_.Dc(), kBlack);
    surface_.Clear();
    // Two blanks before "color=": no push, so the closing tag pops at depth 0.
    DrawMarkup(surface_.Dc(), "<font  color=\"#FF0000\">black</font> blue", -1, &rect, DT_WORDBREAK);
    const int blackWidth = Width("black");
    EXPECT_EQ(surface_.Count({0, 0, blackWidth, 100}, kRed), 0);
    EXPECT_GT(surface_.Count({0, 0, blackWidth, 100}, kBlack), 10);
    EXPECT_GT(surface_.Count({blackWidth + 1, 0, 400, 100}, kBlue), 10);
    EXPECT_EQ(GetTextColor(surface_.Dc()), kBlack) << "the caller's colour is restored";
}

TEST_F(MarkupLayout, DeeplyNestedColoursDrawWithoutHarm) {
    std::string text;
    for (int i = 0; i < 12; ++i) text += "<font color=\"#FF0000\">";
    text += "deep";
    for (int i = 0; i < 14; ++i) text += "</font>";
    text += " after";
    RECT rect{0, 0, 400, 100};
    DrawMarkup(surface_.Dc(), text.c_str(), -1, &rect, DT_WORDBREAK);
    const int deepWidth = Width("deep");
    EXPECT_GT(surface_.Count({0, 0, deepWidth, 100}, kRed), 10);
    EXPECT_EQ(surface_.Count({deepWidth + 1, 0, 400, 100}, kRed), 0);
}

TEST_F(MarkupLayout, UnderlineRunsOnUnderTheBlank) {
    RECT rect{0, 0, 400, 100};
    DrawMarkup(surface_.Dc(), "<u>aa bb</u>", -1, &rect, DT_WORDBREAK);
    const int blankLeft = Width("aa");
    const int blankRight = blankLeft + Width(" ");
    EXPECT_GT(surface_.Inked({blankLeft, 0, blankRight, LineHeight()}), 0);
    surface_.Clear();
    DrawMarkup(surface_.Dc(), "aa bb", -1, &rect, DT_WORDBREAK);
    EXPECT_EQ(surface_.Inked({blankLeft, 0, blankRight, LineHeight()}), 0);
}

TEST_F(MarkupLayout, SubscriptSitsLowerThanSuperscript) {
    RECT rect{0, 0, 400, 100};
    DrawMarkup(surface_.Dc(), "<sub>x</sub>", -1, &rect, DT_WORDBREAK);
    int subTop = -1;
    for (int y = 0; y < LineHeight() && subTop < 0; ++y)
        if (surface_.Inked({0, y, 40, y + 1})) subTop = y;
    surface_.Clear();
    DrawMarkup(surface_.Dc(), "<sup>x</sup>", -1, &rect, DT_WORDBREAK);
    int supTop = -1;
    for (int y = 0; y < LineHeight() && supTop < 0; ++y)
        if (surface_.Inked({0, y, 40, y + 1})) supTop = y;
    ASSERT_GE(subTop, 0);
    ASSERT_GE(supTop, 0);
    EXPECT_GT(subTop, supTop);
}

TEST_F(MarkupLayout, InRectWrapsAndLeavesTheRectangle) {
    const RECT rect{5, 5, 5 + Width("aaa") + 2, 100};
    EXPECT_EQ(DrawMarkupInRect(surface_.Dc(), rect, "aaa bbb"), LineHeight());
    EXPECT_EQ(surface_.Inked({0, 0, 5, 100}), 0);
    EXPECT_GT(surface_.Inked({5, 5 + LineHeight(), rect.right, 5 + 2 * LineHeight()}), 0);
}

// Under Wine a word drawn as one string can come out wider than its measured width, and the
// blank after it vanished ("WindowsRegistry", "ViewDetails"). Words are drawn at the measured
// positions, so every blank keeps its columns clear, but for one of a last letter's overhang.
class MarkupBlanks : public ::testing::TestWithParam<int> {};

TEST_P(MarkupBlanks, EveryBlankBetweenWordsStaysClear) {
    DrawingSurface surface(700, 40, "Tahoma", GetParam());
    const int blank = surface.Extent(" ").cx;
    for (const char* text : {"safely and effectively scans Windows Registry and hard disk drive", "View Details",
                             "from the drop down box below and restore the backup."}) {
        surface.Clear();
        RECT rect{0, 0, 700, 40};
        DrawMarkup(surface.Dc(), text, -1, &rect, DT_WORDBREAK);
        const std::string all = text;
        int x = 0;
        for (size_t start = 0; start < all.size();) {
            const size_t end = std::min(all.find(' ', start), all.size());
            x += surface.Extent(all.substr(start, end - start).c_str()).cx;
            if (end == all.size()) break;
            int clear = 0;
            for (int column = x; column < x + blank; ++column) clear += surface.Inked({column, 0, column + 1, 40}) == 0;
            EXPECT_GE(clear, blank - 1) << "the blank after \"" << all.substr(start, end - start) << "\" at "
                                        << GetParam() << " pixels";
            x += blank;
            start = end + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FontHeights, MarkupBlanks, ::testing::Values(11, 13, 16));
