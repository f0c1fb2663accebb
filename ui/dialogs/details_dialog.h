#pragma once
// The problems of one section, each with a check box that decides whether "Remove Problems"
// removes it; a problem to review shows its mark and reason, and is ticked only on its own.
#include "controls/markup_label.h"
#include "engine/section_table.h"
#include "ui/lists/check_markup_list.h"
#include "ui/dialog_base.h"

class DetailsDialog : public DialogBase {
public:
    explicit DetailsDialog(ScanSection& section) : section_(section) {}

    INT_PTR Run(HWND owner);
    CheckMarkupList& List() { return list_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void SetAll(bool checked);

    ScanSection& section_;
    MarkupLabel header_;
    CheckMarkupList list_;
};

// Six lines: a problem to review and one line that wraps (a long key or value).
inline constexpr int kDetailsRowHeight = 92;
