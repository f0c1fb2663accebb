#include "cli/current_account.h"

#include <windows.h>
#include <lmcons.h>
#include <sddl.h>

#include <vector>

#include "base/unique_handles.h"
#include "cli/ansi_text.h"

namespace {
std::string TokenUserSid() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return {};
    const UniqueKernelObject token(opened);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size < sizeof(TOKEN_USER)) return {};
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return {};
    std::string sid = text;
    LocalFree(text);
    return sid;
}
}  // namespace

ScanningAccount CurrentScanningAccount() {
    ScanningAccount account;
    char name[UNLEN + 1] = {};
    DWORD size = sizeof(name);
    if (GetUserNameA(name, &size)) account.name = AnsiToUtf8(name);
    account.sid = TokenUserSid();
    return account;
}
