#pragma once
// The texts of the details dialog: its header and one row per problem.
#include <string>

#include "engine/section_table.h"

std::string DetailsHeader(const ScanSection& section);
// A shortcut's link and target, or a registry entry's key, value name and data; a problem to
// review ends with the mark and its reason.
std::string DetailsRow(const ProblemRecord& problem);
// The root key's name, a backslash and the key path, with a blank before every backslash
// so that word wrap can break a long key between its parts.
std::string SpacedKeyText(RootKeyValue root, const std::string& keyPath);
