#pragma once
// Whose registry a console scan read: HKEY_CURRENT_USER is the tree of the account that runs the
// scan, which under a fleet tool is often the SYSTEM account and then no person's at all.
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "engine/problem_record.h"

struct ScanningAccount {
    std::string name;  // UTF-8; empty when the system would not tell
    std::string sid;   // "S-1-5-21-..."; empty when the system would not tell
};

// The local system account's well-known SID.
inline constexpr const char* kSystemAccountSid = "S-1-5-18";

bool IsSystemAccount(const ScanningAccount& account);

// Whether the section reads below HKEY_CURRENT_USER, so that its result belongs to one account.
bool ReadsCurrentUser(SectionId section);

// What a per-user section's report says about the account; empty for a person's account.
std::string PerUserSectionNote(const ScanningAccount& account);

// Adds "account" to a scan's document, and to each section "perUser" and, when that is the
// SYSTEM account's own tree, its "note".
void AddAccount(nlohmann::ordered_json& document, const ScanningAccount& account);
