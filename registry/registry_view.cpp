#include "registry/registry_view.h"

#include "base/ascii_case.h"

RegistryView ViewOfKeyPath(const std::string& keyPath) {
    size_t start = 0;
    for (;;) {
        const size_t end = keyPath.find('\\', start);
        const std::string name = keyPath.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (EqualsIgnoringAsciiCase(name, "Wow6432Node")) return RegistryView::Bits32;
        if (end == std::string::npos) return RegistryView::Bits64;
        start = end + 1;
    }
}

const char* ViewCaption(RegistryView view) { return view == RegistryView::Bits32 ? "32-bit" : "64-bit"; }

std::string ThirtyTwoBitKeyPath(const std::string& keyPath) {
    const size_t slash = keyPath.find('\\');
    if (slash == std::string::npos) return keyPath + "\\Wow6432Node";
    return keyPath.substr(0, slash) + "\\Wow6432Node" + keyPath.substr(slash);
}
