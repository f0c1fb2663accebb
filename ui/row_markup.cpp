#include "ui/row_markup.h"

#include "ui/plain_markup.h"

void DrawRowMarkup(HDC dc, RECT& rect, const std::string& markup) {
    // Shown as plain text, line breaks kept, until the markup renderer of the controls lands.
    const std::string text = PlainMarkupText(markup);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_WORDBREAK | DT_NOPREFIX);
}
