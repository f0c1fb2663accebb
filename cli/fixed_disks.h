#pragma once
// Chosen drives that the shortcut scan will pass over, told to the user before the scan starts.
#include <string>

// One line per letter that is not a fixed disk here ("tidrex: D: is not a fixed disk; its
// shortcuts are not scanned"); empty when all are.
std::string NotFixedDiskWarnings(const std::string& letters);
