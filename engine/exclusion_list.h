#pragma once
// Known harmless registry entries that the scan never reports.
#include <array>
#include <string_view>

#include "engine/problem_record.h"

extern const std::array<std::string_view, 51> ExclusionList;

// A registry problem is excluded when any entry occurs, in any letter case, in
// "root\key\value name\value data"; file problems never are.
bool IsExcluded(const ProblemRecord& record);
