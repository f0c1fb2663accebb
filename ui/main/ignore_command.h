#pragma once
// "Ignore" in the details dialog, for the main window: stores each rule in the ignore list and
// takes the problems the stored rules hold out of the last scan's sections and totals.
#include <windows.h>

#include <string>

#include "app/ignore_list_store.h"
#include "app/scan_session.h"

struct IgnoreCommandContext {
    HWND window;                         // owner of the message
    const std::string& applicationName;  // its caption
    const IgnoreListStore& store;
    ScanSession& session;
};

// Returns how many problems were taken out; a rule that could not be stored takes nothing out
// and is told once.
int RunIgnoreProblems(const IgnoreCommandContext& context, const IgnoreList& rules);
