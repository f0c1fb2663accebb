#pragma once
// Key exports written by the registry editor ("regedit.exe /e"), each into a file of its own.
#include <string>

#include "ui/key_exporter.h"

// Files are named from the local time, "<month>,<day>,<year>_<hour>,<minute>,<second>.reg",
// with " (2)", " (3)", ... before ".reg" when that name is taken. The export succeeds when
// the editor ends with status 0 within two minutes and the file is not empty.
KeyExporter RegistryEditorExporter(const std::string& backupFolder);
