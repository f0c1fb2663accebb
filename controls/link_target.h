#pragma once
// Opening a link's target: ShellExecute "open", then the browser registered for ".htm".
#include <windows.h>

#include <string>

// Above 32 means success, as ShellExecute counts.
int OpenLinkTarget(const std::string& target, int show);
