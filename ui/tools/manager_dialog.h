#pragma once
// What the three tool dialogs of the advanced page share: a markup header, a list of registry
// entries with check boxes, "Remove Checked " (the default button: removes the checked
// entries with one backup archive in the backup folder, fills the list again and says what
// happened; the dialog stays open) and "Close".
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "backup/deletion_guard.h"
#include "controls/markup_label.h"
#include "engine/problem_record.h"
#include "ui/lists/check_list_view.h"
#include "ui/dialog_base.h"
#include "ui/tools/removal_summary.h"

struct ManagerTexts {
    const char* header;       // markup
    const char* removedText;  // shown when every checked entry is gone
};

class ManagerDialog : public DialogBase {
public:
    INT_PTR Run(HWND owner) { return RunModal(owner, templateId_); }

protected:
    ManagerDialog(int templateId, const std::vector<ListColumn>& columns, ManagerTexts texts,
                  std::string applicationName, std::string backupFolder);

    // Appends the rows of the registry area; rows start unchecked.
    virtual void FillList() = 0;
    // Frees the records of the rows, after the rows are gone.
    virtual void ForgetEntries() = 0;
    // The row's entry as the removal takes it; none for a row without one.
    virtual ProblemPtr ProblemOfRow(int row) const = 0;
    // Whatever the dialog keeps of an entry beside the archive, saved before the removal; false
    // keeps the entry.
    virtual bool SaveBeforeRemoval(const RegistryProblem& /*entry*/) { return true; }
    // The keys below which the dialog's keys may be deleted.
    virtual std::vector<ListKey> ListKeys() const { return SectionListKeys(); }
    // The row became the selected one.
    virtual void ShowDetails(int /*row*/) {}

    // The version details of the file in the four labels of the "Details" group.
    void ShowVersionDetails(const std::string& file);

    CheckListView list_;

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnDestroy() override;
    bool OnDpiChanged(int dpi, const RECT& suggested) override;
    void RemoveChecked();
    void Refill();
    void EmptyList();

    int templateId_;
    std::vector<ListColumn> columns_;
    ManagerTexts texts_;
    std::string applicationName_;
    std::string backupFolder_;
    MarkupLabel header_;
};

// A manager whose rows carry records of one type, owned here and freed with the rows.
template <typename Entry>
class ManagerDialogOf : public ManagerDialog {
protected:
    // section: the scan section the entries are removed as, which the list keys are tagged with.
    ManagerDialogOf(int templateId, const std::vector<ListColumn>& columns, ManagerTexts texts,
                    std::string applicationName, std::string backupFolder, SectionId section)
        : ManagerDialog(templateId, columns, texts, std::move(applicationName), std::move(backupFolder)),
          section_(section) {}

    SectionId Section() const { return section_; }

    virtual RegistryProblem ProblemOf(const Entry& entry) const = 0;

    void AddRow(const std::vector<std::string>& cells, Entry entry) {
        entries_.push_back(std::make_unique<Entry>(std::move(entry)));
        if (list_.AddRow(cells, entries_.back().get()) < 0) entries_.pop_back();
    }
    // The row's record; none for a row that carries no record of this dialog.
    const Entry* EntryOf(int row) const {
        const void* data = list_.RowData(row);
        const auto owned = std::find_if(entries_.begin(), entries_.end(),
                                        [data](const std::unique_ptr<Entry>& entry) { return entry.get() == data; });
        return owned == entries_.end() ? nullptr : owned->get();
    }

private:
    void ForgetEntries() final { entries_.clear(); }
    ProblemPtr ProblemOfRow(int row) const final {
        const Entry* entry = EntryOf(row);
        return entry ? MakeProblem(section_, {}, ProblemOf(*entry)) : nullptr;
    }

    SectionId section_;
    std::vector<std::unique_ptr<Entry>> entries_;
};
