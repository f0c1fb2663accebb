#include "app/application.h"

#include <windows.h>
#include <ole2.h>

#include "app/executable_folder.h"

std::string ApplicationNameOf(const std::string& executablePath) {
    const size_t slash = executablePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string ApplicationName() { return ApplicationNameOf(ExecutablePath()); }

Application::Application(const std::string& name) : name_(name), instanceChecker_(name) {}

bool Application::InitInstance(const MainWindowRunner& runMainWindow) {
    OleInitialize(nullptr);
    CoInitialize(nullptr);
    if (instanceChecker_.PreviousInstanceRunning()) {
        instanceChecker_.ActivatePreviousInstance();
        return false;
    }
    if (preferences_.IsFirstRun()) preferences_.ResetSettings();
    runMainWindow(*this);
    return false;
}

int Application::ExitInstance() {
    CoUninitialize();
    OleUninitialize();
    return 0;
}
