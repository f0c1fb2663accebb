#include "ui/tools/bho_manager_dialog.h"

#include "registry/registry_key.h"
#include "registry/value_text.h"
#include "registry/view_keys.h"
#include "resources/resource_ids.h"

namespace {
// The class's own name, else the name its registration under the list key gives.
std::string ObjectName(const std::string& classKey, const std::string& registrationPath) {
    std::string name;
    ReadValueText(HKEY_CLASSES_ROOT, classKey, "", name);
    if (name.empty()) ReadValueText(HKEY_LOCAL_MACHINE, registrationPath, "", name);
    return name;
}
}  // namespace

BhoManagerDialog::BhoManagerDialog(std::string applicationName, std::string backupFolder, KeyExporter exporter)
    : KeyManagerDialog(IDD_BHO_MANAGER, {{"BHO Name", 130}, {"File Name", 340}, {"View", 60}},
                       {kBhoManagerHeader, kBhoRemovedText}, std::move(applicationName), std::move(backupFolder),
                       std::move(exporter), kBhoBackupFolder, {kBhoListKey, kBhoManagerSection}) {}

void BhoManagerDialog::FillList() {
    for (const ViewKey& view : KeyInBothViews(HKEY_LOCAL_MACHINE, kBhoListKey)) {
        CRegistry list;
        if (!list.Open(HKEY_LOCAL_MACHINE, view.path)) continue;
        // A 32-bit browser's objects are classes of the 32-bit view.
        const char* classes = view.view == RegistryView::Bits32 ? "Wow6432Node\\CLSID\\" : "CLSID\\";
        std::string classId;
        while (list.EnumKey(classId)) {
            if (classId.empty()) continue;  // its path would name the list key itself
            const std::string registration = view.path + "\\" + classId;
            // Read access is enough to show them; class registrations often refuse more.
            std::string library;
            ReadValueText(HKEY_CLASSES_ROOT, classes + classId + "\\InProcServer32", "", library);
            const std::string name = ObjectName(classes + classId, registration);
            AddRow({name.empty() ? kUnnamedBho : name, library, ViewCaption(view)},
                   KeyEntry{HKEY_LOCAL_MACHINE, registration});
        }
    }
}

void BhoManagerDialog::ShowDetails(int row) { ShowVersionDetails(list_.Text(row, 1)); }
