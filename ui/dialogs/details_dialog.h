#pragma once
// The problems of one section, each with a check box that decides whether "Remove Problems"
// removes it; a problem to review shows its mark and reason, and is ticked only on its own.
// "Ignore" (the button, or the rows' context menu) leaves the chosen rows out of every scan
// from now on and takes them out of the section.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "controls/markup_label.h"
#include "engine/ignore_rules.h"
#include "engine/section_table.h"
#include "ui/lists/check_markup_list.h"
#include "ui/dialog_base.h"

// Stores the rules and takes the problems they hold out of the sections.
using IgnoreHandler = std::function<void(const IgnoreList& rules)>;

// The list holds no rows of its own: each is drawn from its problem when it comes into view, so
// that a section of many thousands opens at once.
class DetailsDialog : public DialogBase, private CheckRows {
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
    std::string Markup(int row) const override;
    bool Checked(int row) const override { return rows_[row]->checked != 0; }
    void SetChecked(int row, bool checked) override { rows_[row]->checked = checked ? 1 : 0; }
    void* Data(int row) const override { return rows_[row]; }

    void SetAll(bool checked);
    void FillRows();
    // The selected rows, or the focused one when none is selected.
    void IgnoreChosenRows();

    ScanSection& section_;
    IgnoreHandler ignore_;
    MarkupLabel header_;
    CheckMarkupList list_;
    std::vector<ProblemRecord*> rows_;
};

// Six lines: a problem to review and one line that wraps (a long key or value).
inline constexpr int kDetailsRowHeight = 92;
inline constexpr const char* kIgnoreMenuText = "&Ignore";
