#pragma once
// How much a removal can hurt. A problem is safe to remove with the others, or asks for a look of
// its own (review) when removing it by mistake can stop Windows, a service or a program from
// starting, or when Windows would only make it again. The rules read the record alone, so every
// front end judges alike; README.md lists them.
#include <string_view>

#include "engine/problem_record.h"

struct RiskJudgement {
    Risk risk;
    std::string_view reason;  // one of the rules' fixed texts
};

// windowsFolder: the Windows folder without a trailing backslash ("C:\windows"); empty when it
// is not known, and then only the texts that name it ("%SystemRoot%", "system32") point there.
RiskJudgement JudgeRisk(const ProblemRecord& record, std::string_view windowsFolder);

// Whether the entry lies below HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control (or the same
// key of a numbered control set): the system's own settings, which no scan offers for removal.
bool IsSystemSetting(const ProblemRecord& record);
