#include <windows.h>

#include "app/application.h"

namespace {
// The one application object, built before the entry code runs.
Application theApplication(ApplicationName());
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    theApplication.InitInstance();
    return theApplication.ExitInstance();
}
