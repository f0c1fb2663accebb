#pragma once
// A key tree that holds every kind of value a backup must bring back byte for byte: each
// registry type, strings the "..." form cannot hold, names with quotes, backslashes, line
// breaks and characters outside the 8-bit range, and sub-keys on several levels.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/registry_dump.h"

struct RawValue {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
};

inline std::vector<RawValue> EveryValueType(bool withWhatRegeditAlters = true) {
    std::vector<BYTE> binary;
    for (int i = 0; i < 100; ++i) binary.push_back(static_cast<BYTE>(i * 7));
    std::vector<RawValue> values = {
        {L"", REG_SZ, WideBytes(L"default data")},
        {L"String", REG_SZ, WideBytes(L"C:\\Program Files\\Tool \"quoted\" \\ end ]")},
        {L"Unicode \x2603 \x00dc\x00ef \xd834\xdd1e", REG_SZ,
         WideBytes(L"\x03a9\x2248\x00e7 \x221a\x222b \xd834\xdd1e")},
        {L"Expand", REG_EXPAND_SZ, WideBytes(L"%SystemRoot%\\system32\\x.dll")},
        {L"Multi", REG_MULTI_SZ, WideBytes(std::wstring(L"one\0two\0", 8))},
        {L"Dword", REG_DWORD, {0xEF, 0xBE, 0xAD, 0xDE}},
        {L"BigEndian", REG_DWORD_BIG_ENDIAN, {1, 2, 3, 4}},
        {L"Qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 0x80}},
        {L"Binary", REG_BINARY, binary},
        {L"None", REG_NONE, {0, 1, 2}},
        {L"EmptyNone", REG_NONE, {}},
        {L"Unknown type", 0x12345, {0xAA, 0xBB}},
        {L"Quote\"Back\\slash", REG_SZ, WideBytes(L"x")},
        {L"@", REG_SZ, WideBytes(L"not the default")},
        {L"Line\r\nBreak", REG_SZ, WideBytes(L"first\r\nsecond")},
    };
    // Wine's registry editor cuts or pads these on export or import; our own files keep them.
    if (withWhatRegeditAlters) {
        values.push_back({L"ShortDword", REG_DWORD, {1, 2}});
        values.push_back({L"EmbeddedZero", REG_SZ, WideBytes(std::wstring(L"ab\0cd", 5))});
        values.push_back({L"OddLength", REG_SZ, {0x41, 0x00, 0x42}});
        values.push_back({L"NoTerminator", REG_SZ, WideBytes(L"abc", false)});
        values.push_back({L"EmptyString", REG_SZ, {}});
    }
    return values;
}

// The tree under root\path: values of every type on three levels, an empty sub-key, odd key names.
inline void FillEveryValueType(HKEY root, const std::wstring& path, bool withWhatRegeditAlters = true) {
    for (const RawValue& value : EveryValueType(withWhatRegeditAlters)) {
        SetRawValue(root, path, value.name, value.type, value.data);
        SetRawValue(root, path + L"\\Child", value.name, value.type, value.data);
    }
    SetRawValue(root, path + L"\\Child\\Grand \x2603 ]x", L"Deep", REG_DWORD, {7, 0, 0, 0});
    SetRawValue(root, path + L"\\Spaced Name", L"", REG_SZ, WideBytes(L""));
    HKEY empty = nullptr;
    RegCreateKeyExW(root, (path + L"\\Empty").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &empty, nullptr);
    if (empty) RegCloseKey(empty);
}
