#pragma once
// Predefined registry root keys as the 32-bit values that records and backups store,
// and their printed names.
#include <cstdint>
#include <string>

using RootKeyValue = uint32_t;

inline constexpr RootKeyValue kClassesRoot = 0x80000000;
inline constexpr RootKeyValue kCurrentUser = 0x80000001;
inline constexpr RootKeyValue kLocalMachine = 0x80000002;
inline constexpr RootKeyValue kUsers = 0x80000003;
inline constexpr RootKeyValue kPerformanceData = 0x80000004;
inline constexpr RootKeyValue kCurrentConfig = 0x80000005;
inline constexpr RootKeyValue kDynData = 0x80000006;

// Full name of one of the four roots that problems and backups use; empty for any other.
std::string RootKeyName(RootKeyValue root);

// Exact, case-sensitive inverse of RootKeyName; 0 for any other text.
RootKeyValue RootKeyFromName(const std::string& name);

// The name a key wrapper opened on this root gives itself (all seven predefined roots).
std::string PrintedRootName(RootKeyValue root);
