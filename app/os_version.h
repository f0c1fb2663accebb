#pragma once
// The running system's version records and its display name, as the scan log's header and
// the system summary name it.
#include <string>

#include "app/os_naming.h"

// The version facts of the running system; defaults when GetVersionEx fails.
OsVersionFacts ReadOsVersion();

// OsName of ReadOsVersion(), or empty when the version cannot be read.
std::string CurrentOsName();
