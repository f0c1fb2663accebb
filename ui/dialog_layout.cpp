#include "ui/dialog_layout.h"

bool DialogLayout::Load(HMODULE module, int templateId) {
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));  // RT_DIALOG
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    layout_ = data ? ReadDialogLayout(data, SizeofResource(module, resource)) : DialogTemplateLayout{};
    return layout_.width > 0;
}

void DialogLayout::Apply(HWND dialog, SIZE client, HFONT font) const {
    for (const TemplateItem& item : layout_.items) {
        HWND control = GetDlgItem(dialog, item.id);
        if (!control) continue;
        const TemplateRect place = PlaceOnPicture(item.units, layout_, client.cx, client.cy);
        MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
        if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}
