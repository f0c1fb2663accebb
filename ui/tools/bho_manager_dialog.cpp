#include "ui/tools/bho_manager_dialog.h"

#include "base/text_format.h"
#include "registry/registry_key.h"
#include "registry/value_text.h"
#include "resources/resource_ids.h"

namespace {
// The class's own name, else the name its registration under the list key gives.
std::string ObjectName(const std::string& classId, const std::string& registrationPath) {
    std::string name;
    ReadValueText(HKEY_CLASSES_ROOT, "CLSID\\" + classId, "", name);
    if (name.empty()) ReadValueText(HKEY_LOCAL_MACHINE, registrationPath, "", name);
    return name;
}
}  // namespace

BhoManagerDialog::BhoManagerDialog(std::string applicationName, KeyExporter exporter)
    : KeyManagerDialog(IDD_BHO_MANAGER, {{"BHO Name", 130}, {"File Name", 400}}, {kBhoManagerHeader, kBhoRemovedText},
                       std::move(applicationName), std::move(exporter), kBhoBackupFolder) {}

void BhoManagerDialog::FillList() {
    CRegistry list;
    if (!list.Open(HKEY_LOCAL_MACHINE, kBhoListKey)) return;
    std::string classId;
    while (list.EnumKey(classId)) {
        if (classId.empty()) continue;  // its path would name the list key itself
        const std::string registration = std::string(kBhoListKey) + "\\" + classId;
        // Read access is enough to show them; class registrations often refuse more.
        std::string library;
        ReadValueText(HKEY_CLASSES_ROOT, Format("CLSID\\%s\\InProcServer32", classId.c_str()), "", library);
        const std::string name = ObjectName(classId, registration);
        AddRow({name.empty() ? kUnnamedBho : name, library}, KeyEntry{HKEY_LOCAL_MACHINE, registration});
    }
}

void BhoManagerDialog::ShowDetails(int row) { ShowVersionDetails(list_.Text(row, 1)); }
