#include "cli/scanning_account.h"

#include <nlohmann/json.hpp>

#include "engine/section_operations.h"

bool IsSystemAccount(const ScanningAccount& account) { return account.sid == kSystemAccountSid; }

bool ReadsCurrentUser(SectionId section) {
    for (const OperationStep& step : SectionOperations(section)) {
        switch (step.operation) {
            case ScanOperation::Sounds:
            case ScanOperation::OpenWith:
            case ScanOperation::Extensions:
            case ScanOperation::FileTypes:
            case ScanOperation::WalkCurrentUser:
            case ScanOperation::UsageHistory: return true;
            default: break;
        }
    }
    return false;
}

std::string PerUserSectionNote(const ScanningAccount& account) {
    if (!IsSystemAccount(account)) return {};
    return "Scanned as the SYSTEM account: HKEY_CURRENT_USER was the system's own profile, not a person's";
}

void AddAccount(nlohmann::ordered_json& document, const ScanningAccount& account) {
    document["account"] = {{"user", account.name}, {"sid", account.sid}, {"system", IsSystemAccount(account)}};
    const std::string note = PerUserSectionNote(account);
    for (nlohmann::ordered_json& section : document["sections"]) {
        const bool perUser = ReadsCurrentUser(section["id"].get<SectionId>());
        section["perUser"] = perUser;
        if (perUser && !note.empty()) section["note"] = note;
    }
}
