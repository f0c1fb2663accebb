#include "registry/view_keys.h"

#include "base/ascii_case.h"
#include "base/runtime_function.h"
#include "base/unique_handles.h"

namespace {
// The key's full name in the registry's own namespace ("\REGISTRY\Machine\Software\..."),
// which tells which physical key an open in a given view reached; empty if it cannot be read.
std::string FullKeyName(HKEY key) {
    using QueryKeyFunction = LONG(WINAPI*)(HANDLE, int, PVOID, ULONG, PULONG);
    constexpr int kKeyNameInformation = 3;
    static const auto queryKey = FindFunction<QueryKeyFunction>(GetModuleHandleA("ntdll"), "NtQueryKey");
    if (!queryKey) return std::string();
    std::vector<ULONG> buffer(1024);  // ULONG name length, then the UTF-16 name
    ULONG written = 0;
    const ULONG size = static_cast<ULONG>(buffer.size() * sizeof(ULONG));
    if (queryKey(key, kKeyNameInformation, buffer.data(), size, &written) != 0) return std::string();
    const ULONG bytes = buffer[0];
    if (bytes > size - sizeof(ULONG)) return std::string();
    const auto* name = reinterpret_cast<const wchar_t*>(buffer.data() + 1);
    const int characters = static_cast<int>(bytes / sizeof(wchar_t));
    const int length = WideCharToMultiByte(CP_ACP, 0, name, characters, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) WideCharToMultiByte(CP_ACP, 0, name, characters, text.data(), length, nullptr, nullptr);
    return text;
}

std::string FullNameInView(HKEY root, const std::string& path, REGSAM view) {
    UniqueHkey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) return std::string();
    return FullKeyName(key.get());
}
// The root's full name, read off its first key below it: a handle to a predefined root itself
// cannot be asked for its name.
std::string RootFullName(HKEY root, const std::string& path) {
    const std::string first = path.substr(0, path.find('\\'));
    const std::string name = FullNameInView(root, first, KEY_WOW64_64KEY);
    if (first.empty() || name.size() <= first.size() + 1) return std::string();
    return name.substr(0, name.size() - first.size() - 1);
}
// The 32-bit key's path in the letters of the path it stands for, where it is that path with a
// "Wow6432Node" key inserted (as it always is), so that both views' keys read alike.
std::string InLettersOf(const std::string& path, const std::string& wowPath) {
    std::vector<size_t> cuts{0};  // where a key name begins, and the end
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) cuts.push_back(at + 1);
    cuts.push_back(path.size() + 1);
    for (const size_t cut : cuts) {
        const std::string before = cut > path.size() ? path + "\\" : path.substr(0, cut);
        const std::string after = cut < path.size() ? "\\" + path.substr(cut) : std::string();
        const std::string candidate = before + "Wow6432Node" + after;
        if (EqualsIgnoringAsciiCase(candidate, wowPath)) return candidate;
    }
    return wowPath;
}
}  // namespace

std::vector<ViewKey> KeyInBothViews(HKEY root, const std::string& path) {
    std::vector<ViewKey> keys;
    UniqueHkey native;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, native.put()) == ERROR_SUCCESS)
        keys.push_back({RegistryView::Bits64, path});
    const std::string rootName = RootFullName(root, path);
    const std::string wowName = FullNameInView(root, path, KEY_WOW64_32KEY);
    if (rootName.empty() || wowName.empty()) return keys;
    // A shared key reaches the same physical key in both views.
    if (EqualsIgnoringAsciiCase(wowName, rootName + "\\" + path)) {
        if (!keys.empty()) keys.front().shared = true;
        return keys;
    }
    const std::string prefix = rootName + "\\";
    if (wowName.size() <= prefix.size() || !EqualsIgnoringAsciiCase(wowName.substr(0, prefix.size()), prefix))
        return keys;
    const std::string wowPath = InLettersOf(path, wowName.substr(prefix.size()));
    if (ViewOfKeyPath(wowPath) == RegistryView::Bits32) keys.push_back({RegistryView::Bits32, wowPath});
    return keys;
}

const char* ViewCaption(const ViewKey& key) { return key.shared ? "Both" : ViewCaption(key.view); }

bool IsRegistryLink(HKEY parent, const std::string& name) {
    UniqueHkey link;
    if (RegOpenKeyExA(parent, name.c_str(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE, link.put()) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE;
    return RegQueryValueExA(link.get(), "SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}
