#pragma once
// The problems of one section, each with a check box that decides whether "Remove Problems"
// removes it; a problem to review shows its mark and reason, and is ticked only on its own.
// "Ignore" (the button, or the rows' context menu) leaves the chosen rows out of every scan
// from now on and takes them out of the section.
#include <functional>
#include <utility>

#include "controls/markup_label.h"
#include "engine/ignore_rules.h"
#include "engine/section_table.h"
#include "ui/lists/check_markup_list.h"
#include "ui/dialog_base.h"

// Stores the rules and takes the problems they hold out of the sections.
using IgnoreHandler = std::function<void(const IgnoreList& rules)>;

class DetailsDialog : public DialogBase {
public:
    // Without a handler "Ignore" is greyed.
    explicit DetailsDialog(ScanSection& section, IgnoreHandler ignore = {})
        : section_(section), ignore_(std::move(ignore)) {}

    INT_PTR Run(HWND owner);
    CheckMarkupList& List() { return list_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnDpiChanged(int dpi, const RECT& suggested) override;

private:
    void SetAll(bool checked);
    void FillRows();
    // The selected rows, or the focused one when none is selected.
    void IgnoreChosenRows();

    ScanSection& section_;
    IgnoreHandler ignore_;
    MarkupLabel header_;
    CheckMarkupList list_;
};

// Six lines: a problem to review and one line that wraps (a long key or value).
inline constexpr int kDetailsRowHeight = 92;
inline constexpr const char* kIgnoreMenuText = "&Ignore";
