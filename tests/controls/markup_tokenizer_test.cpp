#include "controls/markup_tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// One line per token, "word" tokens with a leading "_" when a blank stands before them, as the
// layout sees them (it clears the pending blank after every word).
std::vector<std::string> Tokens(const std::string& text, size_t length = std::string::npos) {
    if (length == std::string::npos) length = text.size();
    MarkupTokenizer tokens(text.data(), length);
    MarkupToken token;
    std::vector<std::string> out;
    while (tokens.NextMarkupToken(token)) {
        EXPECT_LE(token.start + token.length, length);
        const std::string part = text.substr(token.start, token.length);
        switch (token.kind) {
            case MarkupTag::Word:
                out.push_back((tokens.PendingBlank() ? "_" : "") + part);
                tokens.ClearPendingBlank();
                break;
            case MarkupTag::Dropped: out.push_back("dropped"); break;
            default:
                out.push_back(std::string(token.endTag ? "/" : "") + "tag" +
                              std::to_string(static_cast<int>(token.kind)));
                break;
        }
    }
    return out;
}

const std::string kBold = "tag" + std::to_string(static_cast<int>(MarkupTag::Bold));
const std::string kEndBold = "/" + kBold;
const std::string kFont = "tag" + std::to_string(static_cast<int>(MarkupTag::Font));

using Lines = std::vector<std::string>;
}  // namespace

TEST(MarkupTokenizer, BlanksAroundTagsFollowTheText) {
    EXPECT_EQ(Tokens("a<b>b</b>c"), (Lines{"a", kBold, "b", kEndBold, "c"}));
    EXPECT_EQ(Tokens("a <b>b</b> c"), (Lines{"a", kBold, "_b", kEndBold, "_c"}));
    EXPECT_EQ(Tokens("a <b> b </b> c"), (Lines{"a", kBold, "_b", kEndBold, "_c"}));
    EXPECT_EQ(Tokens("a \t\r\n\v\f  b"), (Lines{"a", "_b"}));
}

TEST(MarkupTokenizer, BlockTagsDropTheBlankOnBothSides) {
    const std::string br = "tag" + std::to_string(static_cast<int>(MarkupTag::Break));
    const std::string p = "tag" + std::to_string(static_cast<int>(MarkupTag::Paragraph));
    EXPECT_EQ(Tokens("line <br>  next"), (Lines{"line", br, "next"}));
    EXPECT_EQ(Tokens("<p> first"), (Lines{p, "first"}));
    EXPECT_EQ(Tokens("one<br>two"), (Lines{"one", br, "two"}));
}

TEST(MarkupTokenizer, NamesAreMatchedAsPrefixesInTableOrder) {
    auto kind = [](const std::string& text) {
        MarkupTokenizer tokens(text.data(), text.size());
        MarkupToken token;
        EXPECT_TRUE(tokens.NextMarkupToken(token));
        return token.kind;
    };
    EXPECT_EQ(kind("<bold>"), MarkupTag::Bold);
    EXPECT_EQ(kind("<ul>"), MarkupTag::Underline);
    EXPECT_EQ(kind("<BR>"), MarkupTag::Break);
    EXPECT_EQ(kind("<Strong>"), MarkupTag::Strong);
    EXPECT_EQ(kind("<sub>"), MarkupTag::Subscript);
    EXPECT_EQ(kind("<sup>"), MarkupTag::Superscript);
    EXPECT_EQ(kind("<em>"), MarkupTag::Emphasis);
    EXPECT_EQ(kind("<pre>"), MarkupTag::Paragraph);
    EXPECT_EQ(kind("<span>"), MarkupTag::Word);
}

TEST(MarkupTokenizer, FontTagWithoutClosingBracketEndsAtTheNextTag) {
    const std::string text = "<font color=\"#0000FF\"<b>Manage</b></font>";
    EXPECT_EQ(Tokens(text), (Lines{kFont, kBold, "Manage", kEndBold, "/" + kFont}));
    MarkupTokenizer tokens(text.data(), text.size());
    MarkupToken token;
    ASSERT_TRUE(tokens.NextMarkupToken(token));
    EXPECT_EQ(text.substr(token.start, token.length), "<font color=\"#0000FF\"");
}

TEST(MarkupTokenizer, UnknownTagsShowAsWordsOrVanish) {
    EXPECT_EQ(Tokens("<img src=\"x.gif\">"), (Lines{"<img", "_src=\"x.gif\">"}));
    EXPECT_EQ(Tokens("a </zz> b"), (Lines{"a", "dropped", "_b"}));
    // "img" begins with the italic tag's name: only the blank after it makes it unknown.
    EXPECT_EQ(Tokens("</img>"), (Lines{"/tag" + std::to_string(static_cast<int>(MarkupTag::Italic))}));
    EXPECT_EQ(Tokens("<b x>"), (Lines{"<b", "_x>"}));
    EXPECT_EQ(Tokens("<>"), (Lines{"<>"}));
}

TEST(MarkupTokenizer, NeverReadsPastTheGivenLength) {
    EXPECT_EQ(Tokens("<b>", 2), (Lines{"<b"}));
    EXPECT_EQ(Tokens("<", 1), (Lines{"<"}));
    EXPECT_EQ(Tokens("</", 2), (Lines{"dropped"}));
    EXPECT_EQ(Tokens("<font color=", 12), (Lines{kFont}));
    EXPECT_EQ(Tokens("word>more", 4), (Lines{"word"}));
    EXPECT_TRUE(Tokens("   ").empty());
    EXPECT_TRUE(Tokens("").empty());
    MarkupTokenizer none(nullptr, 10);
    MarkupToken token;
    EXPECT_FALSE(none.NextMarkupToken(token));
}

TEST(ParseHtmlColor, ReadsQuotedAndBareColoursAlike) {
    constexpr uint32_t kBlue = 0xFF0000;  // red in the low byte
    EXPECT_EQ(ParseHtmlColor("\"#0000FF\">", 10), kBlue);
    EXPECT_EQ(ParseHtmlColor("'#0000ff'", 9), kBlue);
    EXPECT_EQ(ParseHtmlColor("#0000FF>", 8), kBlue);
    EXPECT_EQ(ParseHtmlColor("0000FF", 6), kBlue);
    EXPECT_EQ(ParseHtmlColor("#7B7B7B", 7), 0x7B7B7Bu);
    EXPECT_EQ(ParseHtmlColor("#12345z", 7), 0x503412u);
    EXPECT_EQ(ParseHtmlColor("#FF", 3), 0xFFu);
    EXPECT_EQ(ParseHtmlColor("", 0), 0u);
}
