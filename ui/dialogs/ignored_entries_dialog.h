#pragma once
// The advanced page's list of what the user chose to leave out of every scan, one row per rule;
// "Remove" (or the Delete key) has the chosen rows scanned again from the next scan on.
#include <string>

#include "app/ignore_list_store.h"
#include "ui/dialog_base.h"

inline constexpr const char* kIgnoreListNotSavedText = "Ignore List Could Not be Saved";

class IgnoredEntriesDialog : public DialogBase {
public:
    IgnoredEntriesDialog(IgnoreListStore store, std::string applicationName)
        : store_(std::move(store)), applicationName_(std::move(applicationName)) {}

    INT_PTR Run(HWND owner);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnDpiChanged(int dpi, const RECT& suggested) override;

private:
    void FitColumns(int dpi);
    // Lists the rules again and gives the row the focus and selection (the last one when the
    // list is shorter); an empty list greys "Remove" and leaves the keys to "Close".
    void Fill(int focusRow);
    void RemoveChosenRows();

    IgnoreListStore store_;
    std::string applicationName_;
    IgnoreList shown_;  // the rules of the rows, in their order
};
