#pragma once
// Runs a tool dialog modally with test steps inside its own message loop, and reads its list
// and labels as a user would see them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"
#include "ui/tools/manager_dialog.h"

// Shows the dialog, runs the steps, and ends it with kLeftOpen when they left it open.
inline INT_PTR RunManager(ManagerDialog& dialog, const std::function<void(HWND)>& steps) {
    DialogSteps::Schedule([&dialog, &steps] {
        HWND window = dialog.Window();
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        steps(window);
        if (dialog.Window() && IsWindowVisible(dialog.Window())) EndDialog(dialog.Window(), kLeftOpen);
    });
    return dialog.Run(nullptr);
}

// Runs the steps in the dialog titled so once it is open, then closes it if they left it open
// (a failed assertion returns early), so that the test ends instead of waiting.
inline void InDialog(const char* title, std::function<void(HWND)> steps) {
    DialogSteps::Schedule([title, steps] {
        HWND dialog = ThreadWindowTitled(title);
        ASSERT_NE(dialog, nullptr) << title;
        steps(dialog);
        if (IsWindow(dialog)) EndDialog(dialog, kLeftOpen);
    });
}

inline HWND ManagerList(HWND dialog) { return GetDlgItem(dialog, IDC_MANAGER_LIST); }

// The index of the first row whose first cell is the text; -1 when there is none.
inline int RowNamed(HWND dialog, const std::string& name) {
    HWND list = ManagerList(dialog);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        if (ListText(list, row, 0) == name) return row;
    }
    return -1;
}

inline std::vector<std::string> RowNames(HWND dialog) {
    std::vector<std::string> names;
    HWND list = ManagerList(dialog);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) names.push_back(ListText(list, row, 0));
    return names;
}

inline bool RowChecked(HWND dialog, int row) { return ListView_GetCheckState(ManagerList(dialog), row) != 0; }

// Row -1 would check every row: a missing row fails the test instead.
inline void CheckRow(HWND dialog, int row) {
    if (row < 0) {
        ADD_FAILURE() << "no such row";
        return;
    }
    ListView_SetCheckState(ManagerList(dialog), row, TRUE);
}

// Selects the row as a click would: selected and focused.
inline void SelectRow(HWND dialog, int row) {
    if (row < 0) {
        ADD_FAILURE() << "no such row";
        return;
    }
    ListView_SetItemState(ManagerList(dialog), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

struct ShownDetails {
    std::string fileName, productName, description, company;
    bool operator==(const ShownDetails&) const = default;
    friend void PrintTo(const ShownDetails& details, std::ostream* out) {
        *out << "{" << details.fileName << " | " << details.productName << " | " << details.description << " | "
             << details.company << "}";
    }
};

inline ShownDetails DetailsShown(HWND dialog) {
    return {ItemText(dialog, IDC_PROGRAM_FILE_NAME), ItemText(dialog, IDC_PROGRAM_PRODUCT_NAME),
            ItemText(dialog, IDC_PROGRAM_DESCRIPTION), ItemText(dialog, IDC_PROGRAM_COMPANY)};
}

inline std::string ColumnCaption(HWND dialog, int column) {
    char text[64] = {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    SendMessageA(ManagerList(dialog), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    return text;
}

inline std::string WindowTitle(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}
