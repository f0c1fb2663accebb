#pragma once
// The entry names of Explorer's usage-history lists: ROT13-encoded texts such as
// "HRZR_EHACNGU:P:\...", which decode to a marker, a ":" and what was run.
#include <optional>
#include <string>

// Letters move 13 places within their case; every other byte, those above 127 included, stays.
std::string Rot13(const std::string& text);

// The program path of a decoded name: everything after the first ":" without leading ":",
// when that still holds a ":" (a drive). Empty for names that name no such path, and for the
// "csidl23" entries, which name a known folder rather than a file.
std::optional<std::string> UsageEntryPath(const std::string& decodedName);
