#pragma once
// The program's start: OLE and COM, the single-instance rule, the system summary, the
// first-run reset of the settings, and the main dialog run modally until it closes.
#include <optional>
#include <string>

#include "app/instance_checker.h"
#include "app/preferences.h"
#include "ui/system_info.h"

class Application {
public:
    explicit Application(const std::string& name);

    // Always false: the program ends when the main dialog has closed.
    bool InitInstance();
    int ExitInstance();

    const std::string& Name() const { return name_; }
    bool XpFlag() const { return xpFlag_ != 0; }
    const SystemInfo* System() const { return systemInfo_ ? &*systemInfo_ : nullptr; }
    CInstanceChecker& InstanceChecker() { return instanceChecker_; }

private:
    std::string name_;
    CInstanceChecker instanceChecker_;
    int xpFlag_ = 0;
    std::optional<SystemInfo> systemInfo_;
    Preferences preferences_;
};

// The executable's file name without folder and extension: the caption of message boxes
// shown without one, and part of the single-instance block's name.
std::string ApplicationName();
// The same rule for any executable path.
std::string ApplicationNameOf(const std::string& executablePath);

// 1 when the operating-system name contains "XP" (case-sensitive).
int XpFlagOf(const std::string& osName);
