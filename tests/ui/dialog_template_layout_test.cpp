#include "ui/dialog_template_layout.h"

#include <gtest/gtest.h>

namespace {
void Word(std::vector<uint8_t>& bytes, uint16_t word) {
    bytes.push_back(static_cast<uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<uint8_t>(word >> 8));
}
void Dword(std::vector<uint8_t>& bytes, uint32_t value) {
    Word(bytes, static_cast<uint16_t>(value & 0xFFFF));
    Word(bytes, static_cast<uint16_t>(value >> 16));
}
void Text(std::vector<uint8_t>& bytes, const std::u16string& text) {
    for (char16_t unit : text) Word(bytes, static_cast<uint16_t>(unit));
    Word(bytes, 0);
}
void Align(std::vector<uint8_t>& bytes) {
    while (bytes.size() % 4) bytes.push_back(0);
}

struct Item {
    int id, x, y, cx, cy;
};

// An extended template of 433 x 222 dialog units with a title, optionally a font, and items of
// each kind of class and title: a class ordinal with a text, a class name with a resource
// ordinal, and one with bytes of creation data.
std::vector<uint8_t> Template(const std::vector<Item>& items, uint32_t style = 0x40) {
    std::vector<uint8_t> bytes;
    Word(bytes, 1);
    Word(bytes, 0xFFFF);
    Dword(bytes, 0);
    Dword(bytes, 0);
    Dword(bytes, style);
    Word(bytes, static_cast<uint16_t>(items.size()));
    for (uint16_t v : {0, 0, 433, 222}) Word(bytes, v);
    Word(bytes, 0);  // no menu
    Word(bytes, 0);  // default class
    Text(bytes, u"Title");
    if (style & 0x40) {
        Word(bytes, 8);
        Word(bytes, 400);
        bytes.push_back(0);
        bytes.push_back(1);
        Text(bytes, u"Tahoma");
    }
    for (size_t index = 0; index < items.size(); ++index) {
        const Item& item = items[index];
        Align(bytes);
        Dword(bytes, 0);
        Dword(bytes, 0);
        Dword(bytes, 0x50000000);
        for (int v : {item.x, item.y, item.cx, item.cy}) Word(bytes, static_cast<uint16_t>(v));
        Dword(bytes, static_cast<uint32_t>(item.id));
        if (index % 3 == 0) {
            Word(bytes, 0xFFFF);
            Word(bytes, 0x0082);  // static
            Text(bytes, u"Scan Now");
        } else {
            Text(bytes, u"SysListView32");
            Word(bytes, 0xFFFF);
            Word(bytes, 144);
        }
        if (index % 3 == 2) {
            Word(bytes, 3);
            for (uint8_t b : {1, 2, 3}) bytes.push_back(b);
        } else {
            Word(bytes, 0);
        }
    }
    return bytes;
}

const std::vector<Item> kItems = {
    {1001, 50, 49, 38, 8}, {1030, 144, 43, 283, 136}, {1031, 378, 181, 50, 14}, {-1, 0, 0, 433, 222}};
}  // namespace

TEST(ReadDialogLayout, ReadsTheSizeAndEveryItemWithOrWithoutAFont) {
    for (uint32_t style : {0x40u, 0u}) {
        const std::vector<uint8_t> bytes = Template(kItems, style);
        const DialogTemplateLayout layout = ReadDialogLayout(bytes.data(), bytes.size());
        EXPECT_EQ(layout.width, 433);
        EXPECT_EQ(layout.height, 222);
        ASSERT_EQ(layout.items.size(), kItems.size());
        for (size_t index = 0; index < kItems.size(); ++index) {
            const Item& item = kItems[index];
            const TemplateItem& read = layout.items[index];
            EXPECT_EQ(read.id, item.id);
            EXPECT_EQ(read.units.left, item.x);
            EXPECT_EQ(read.units.top, item.y);
            EXPECT_EQ(read.units.right, item.x + item.cx);
            EXPECT_EQ(read.units.bottom, item.y + item.cy);
        }
    }
}

TEST(ReadDialogLayout, RefusesATemplateCutShortAnywhere) {
    const std::vector<uint8_t> whole = Template(kItems);
    // The last item ends with its creation-data count: every shorter piece is cut.
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const DialogTemplateLayout layout = ReadDialogLayout(whole.data(), cut);
        EXPECT_EQ(layout.width, 0) << cut;
        EXPECT_TRUE(layout.items.empty()) << cut;
    }
    EXPECT_EQ(ReadDialogLayout(nullptr, 100).width, 0);
    std::vector<uint8_t> plain = whole;
    plain[2] = 0;  // an old DLGTEMPLATE, not an extended one
    EXPECT_EQ(ReadDialogLayout(plain.data(), plain.size()).width, 0);
}

// The main window's template over its background at 96 DPI (650 x 360) and at twice and one and
// a half times that: every edge keeps its place on the picture.
TEST(PlaceOnPicture, KeepsEachEdgeWhereItIsOnThePictureAtEverySize) {
    DialogTemplateLayout layout;
    layout.width = 433;
    layout.height = 222;
    const TemplateRect list{144, 43, 427, 179};
    const TemplateRect at96 = PlaceOnPicture(list, layout, 650, 360);
    EXPECT_EQ(at96.left, 216);
    EXPECT_EQ(at96.top, 70);
    EXPECT_EQ(at96.right, 641);
    EXPECT_EQ(at96.bottom, 290);
    const TemplateRect at192 = PlaceOnPicture(list, layout, 1300, 720);
    EXPECT_EQ(at192.left, 432);
    EXPECT_EQ(at192.top, 139);  // 139.46: the 96-DPI place was rounded up from 69.73
    EXPECT_EQ(at192.right, 1282);
    EXPECT_EQ(at192.bottom, 581);
    const TemplateRect at144 = PlaceOnPicture(list, layout, 975, 540);
    EXPECT_EQ(at144.left, 324);
    EXPECT_EQ(at144.right, 961);
    const TemplateRect whole = PlaceOnPicture({0, 0, 433, 222}, layout, 975, 540);
    EXPECT_EQ(whole.right, 975);
    EXPECT_EQ(whole.bottom, 540);
    EXPECT_EQ(PlaceOnPicture(list, DialogTemplateLayout{}, 650, 360).right, 0);
}
