#pragma once
// The places of a dialog template's items, read from the extended template itself, so that a
// window can lay them out at any size in the template's proportions.
#include <cstddef>
#include <cstdint>
#include <vector>

struct TemplateRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct TemplateItem {
    int id = 0;
    TemplateRect units;  // dialog units
};

struct DialogTemplateLayout {
    int width = 0, height = 0;  // dialog units; zero when the template could not be read
    std::vector<TemplateItem> items;
};

// The size and items of a DIALOGEX template; empty when the data is not an extended template
// or is cut short anywhere.
DialogTemplateLayout ReadDialogLayout(const uint8_t* data, size_t size);

// Where an item lies over a picture that covers the dialog's client area: each edge at its
// dialog-unit position times the picture's size over the dialog's, rounded.
TemplateRect PlaceOnPicture(const TemplateRect& units, const DialogTemplateLayout& layout, int pictureWidth,
                            int pictureHeight);
