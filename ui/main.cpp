#include <windows.h>
#include <commctrl.h>

#include "app/application.h"
#include "registry/registry_lookup.h"
#include "ui/main/main_dialog.h"
#include "ui/message_box.h"
#include "ui/system_info.h"

namespace {
// The one application object, built before the entry code runs.
Application theApplication(ApplicationName());

void ShowKeyCloseFailure() { ShowMessageBox(nullptr, "Error in RegCloseKey.", ApplicationName()); }

void RunMainDialog(Application& application) {
    SetKeyCloseFailureHandler(ShowKeyCloseFailure);
    const SystemInfo system;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    MainDialog dialog({&system, &application.InstanceChecker(), &application.Settings(), application.Name()});
    dialog.Run();
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    theApplication.InitInstance(RunMainDialog);
    return theApplication.ExitInstance();
}
