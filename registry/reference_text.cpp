#include "registry/reference_text.h"

#include <algorithm>
#include <cctype>

void CollapseDotSegments(std::string& text) {
    size_t position = 0;
    while ((position = text.find("\\.\\", position)) != std::string::npos) {
        text.erase(position + 1, 2);
    }
}

bool IsUrlOrNetworkPath(const std::string& text) {
    return text.find("//") != std::string::npos || text.find("\\\\") != std::string::npos;
}

bool NamesSystemHelper(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* helper : {"rundll32", "msiexec", "regsvr32"}) {
        if (lower.find(helper) != std::string::npos) return true;
    }
    return false;
}

bool DropTrailingNameOrBackslash(std::string& text) {
    const size_t length = text.size();
    if (length >= 2 && text[length - 2] == '\\') {
        text.resize(length - 2);
        return true;
    }
    if (length >= 1 && text[length - 1] == '\\') {
        text.resize(length - 1);
        return true;
    }
    return false;
}

bool ParentFolderOf(const std::string& text, std::string& parent) {
    const size_t lastBackslash = text.rfind('\\');
    if (lastBackslash == std::string::npos) return false;
    parent = text.substr(0, lastBackslash);
    while (!parent.empty() && parent.back() == '\\') parent.pop_back();
    return true;
}

std::string RedirectSystem32(const std::string& text) {
    std::string result = text;
    size_t position = 0;
    while ((position = result.find("system32", position)) != std::string::npos) {
        result.replace(position, 8, "SysWOW64");
        position += 8;
    }
    return result;
}

std::string NormalizeCommandLine(const std::string& text) {
    std::string result = text;
    const size_t colon = result.find(':', 4);
    if (colon != std::string::npos) result.insert(colon, 1, ' ');
    for (const char replaced : {'"', ';', '|', '*', '?', '<', '>', '^', '/'}) {
        std::replace(result.begin(), result.end(), replaced, ' ');
    }
    const auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(result.begin(), result.end(), isSpace);
    const auto last = std::find_if_not(result.rbegin(), result.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

std::vector<std::string> PrefixesBeforeBlanks(const std::string& text) {
    std::vector<std::string> prefixes;
    for (size_t blank = text.find(' '); blank != std::string::npos; blank = text.find(' ', blank + 1)) {
        prefixes.push_back(text.substr(0, blank));
    }
    return prefixes;
}

std::string StripVersionDigits(const std::string& progId) {
    std::string result = progId;
    for (char digit = '0'; digit <= '9'; ++digit) {
        while (!result.empty() && (result.back() == '.' || result.back() == digit)) result.pop_back();
    }
    return result;
}
