#include "registry/reference_text.h"

#include <algorithm>
#include <cctype>

#include "base/ascii_case.h"

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

namespace {
// Replaces every occurrence of lowerWord (written in lower case) in any letter case.
std::string ReplacedIgnoringCase(const std::string& text, const std::string& lowerWord, const std::string& by) {
    const std::string lower = LowerAscii(text);
    std::string result;
    size_t from = 0;
    for (size_t at = lower.find(lowerWord); at != std::string::npos; at = lower.find(lowerWord, from)) {
        result.append(text, from, at - from).append(by);
        from = at + lowerWord.size();
    }
    return result.append(text, from, std::string::npos);
}
}  // namespace

std::string RedirectSystem32(const std::string& text) { return ReplacedIgnoringCase(text, "system32", "SysWOW64"); }

std::string WithThirtyTwoBitFolderNames(const std::string& text) {
    const std::string programs = ReplacedIgnoringCase(text, "%programfiles%", "%ProgramFiles(x86)%");
    return ReplacedIgnoringCase(programs, "%commonprogramfiles%", "%CommonProgramFiles(x86)%");
}

std::string SysnativeAsSystem32(const std::string& text) {
    const std::string lower = LowerAscii(text);
    std::string result = text;
    // Only a whole folder name: "\Sysnative" followed by "\" or the end.
    for (size_t at = lower.rfind("\\sysnative"); at != std::string::npos;
         at = at == 0 ? std::string::npos : lower.rfind("\\sysnative", at - 1)) {
        const size_t end = at + 10;
        if (end == lower.size() || lower[end] == '\\') result.replace(at + 1, 9, "system32");
    }
    return result;
}

bool CarriesOnFolderPath(const std::string& line, size_t blank) {
    const size_t start = line.find_first_not_of(' ', blank);
    if (start == std::string::npos) return false;
    const std::string word = line.substr(start, line.find(' ', start) - start);
    const bool ownPath = (word.size() > 1 && word[1] == ':') || word[0] == '\\' || word[0] == '%';
    return !ownPath && word.find('\\') != std::string::npos;
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
