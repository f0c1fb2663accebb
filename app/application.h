#pragma once
// The program's start: OLE and COM, the single-instance rule, the first-run reset of the
// settings, and the main window (given by the window layer) run modally until it closes.
#include <functional>
#include <string>

#include "app/instance_checker.h"
#include "app/preferences.h"

class Application {
public:
    explicit Application(const std::string& name);

    // Collects the system summary and shows the main window until it closes.
    using MainWindowRunner = std::function<void(Application&)>;

    // Always false: the program ends when the main window has closed.
    bool InitInstance(const MainWindowRunner& runMainWindow);
    int ExitInstance();

    const std::string& Name() const { return name_; }
    CInstanceChecker& InstanceChecker() { return instanceChecker_; }
    Preferences& Settings() { return preferences_; }

private:
    std::string name_;
    CInstanceChecker instanceChecker_;
    Preferences preferences_;
};

// The executable's file name without folder and extension: the caption of message boxes
// shown without one, and part of the single-instance block's name.
std::string ApplicationName();
// The same rule for any executable path.
std::string ApplicationNameOf(const std::string& executablePath);
