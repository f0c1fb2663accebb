#pragma once
// Chosen drives that the shortcut scan will pass over, told to the user before the scan starts.
#include <string>
#include <vector>

// One note per letter that is not a fixed disk here ("D: is not a fixed disk; its shortcuts are
// not scanned"); empty when all are.
std::vector<std::string> NotFixedDisks(const std::string& letters);
