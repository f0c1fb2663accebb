#include "ui/tools/manager_dialog.h"

#include <commctrl.h>

#include "resources/resource_ids.h"
#include "ui/tools/file_version_info.h"
#include "ui/message_box.h"
#include "ui/tools/program_details.h"
#include "ui/tools/tool_removal.h"
#include "ui/wait_cursor.h"

ManagerDialog::ManagerDialog(int templateId, const std::vector<ListColumn>& columns, ManagerTexts texts,
                             std::string applicationName, std::string backupFolder)
    : templateId_(templateId),
      columns_(columns),
      texts_(texts),
      applicationName_(std::move(applicationName)),
      backupFolder_(std::move(backupFolder)) {}

bool ManagerDialog::OnInit() {
    list_.Attach(Item(IDC_MANAGER_LIST), columns_);
    Refill();
    header_.Attach(Item(IDC_MANAGER_HEADER));
    header_.SetText(texts_.header);
    return true;
}

bool ManagerDialog::OnDpiChanged(int dpi, const RECT&) {
    list_.SetDpi(dpi);
    return false;
}

void ManagerDialog::EmptyList() {
    list_.DeleteAllRows();
    ForgetEntries();
}

void ManagerDialog::Refill() {
    EmptyList();
    FillList();
    // The first row selected: its details show, and Space checks it at once.
    if (list_.RowCount() > 0) list_.SelectRow(0);
}

void ManagerDialog::RemoveChecked() {
    std::vector<int> checked;
    for (int row = 0; row < list_.RowCount(); ++row) {
        if (list_.IsChecked(row)) checked.push_back(row);
    }
    if (checked.empty()) {
        ShowMessageBox(Window(), kNothingCheckedText, applicationName_);
        return;
    }
    RemovalTally tally;
    {
        const WaitCursor busy;
        std::vector<ProblemPtr> entries;
        for (int row : checked) {
            ProblemPtr entry = ProblemOfRow(row);
            if (!entry) tally.Add(RemovalOutcome::KeptUndeleted);
            else if (!SaveBeforeRemoval(std::get<RegistryProblem>(entry->item))) tally.Add(RemovalOutcome::KeptUnsaved);
            else entries.push_back(std::move(entry));
        }
        RemoveWithBackup(entries, backupFolder_, ListKeys(), tally);
        Refill();
    }
    ShowMessageBox(Window(), RemovalMessage(texts_.removedText, tally), applicationName_);
}

void ManagerDialog::ShowVersionDetails(const std::string& file) {
    FileVersionInfo version;
    version.Create(file);
    const ProgramDetails details =
        DetailsOf({version.GetCompanyName(), version.GetFileDescription(), version.GetFileVersion(),
                   version.GetInternalName(), version.GetProductName(), version.GetProductVersion()});
    SetDlgItemTextA(Window(), IDC_PROGRAM_COMPANY, details.company.c_str());
    SetDlgItemTextA(Window(), IDC_PROGRAM_DESCRIPTION, details.description.c_str());
    SetDlgItemTextA(Window(), IDC_PROGRAM_FILE_NAME, details.fileName.c_str());
    SetDlgItemTextA(Window(), IDC_PROGRAM_PRODUCT_NAME, details.productName.c_str());
}

bool ManagerDialog::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDOK: RemoveChecked(); return true;
        case IDCANCEL: End(IDCANCEL); return true;
        default: return false;
    }
}

bool ManagerDialog::OnNotify(NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_MANAGER_LIST || header.code != LVN_ITEMCHANGED) return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!CheckListView::BecameSelected(change) || change.iItem >= list_.RowCount()) return false;
    ShowDetails(change.iItem);
    return true;
}

void ManagerDialog::OnDestroy() { EmptyList(); }
