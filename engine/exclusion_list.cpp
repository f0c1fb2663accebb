#include "engine/exclusion_list.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/ascii_case.h"
#include "base/text_format.h"

const std::array<std::string_view, 51> ExclusionList{
    "software\\microsoft\\windows\\currentversion\\internet settings\\cache\\pathscontent.ie5\\cache",
    "advanced inf setup",
    "ie.hklmzoneInfo",
    "ie.hkcuzoneInfo",
    "HKEY_CLASSES_ROOT\\.htc",
    ".htc",
    ".dbx",
    "recycled",
    "recycler",
    ".BAS",
    ".MST",
    ".NCH",
    ".VB",
    "CachePath",
    "svchost",
    "DumpFile",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
    ".RAR",
    ".PCD",
    "Services\\mchInjDrv",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Hewlett-Packard\\DigitalImaging\\CtxMgr\\Strings",
    "Software\\Microsoft\\MPEG2Demultiplexer\\WriteCaptureDir",
    "HKEY_CLASSES_ROOT\\TypeLib\\{00025E01-0000-0000-C000-000000000046}\\5.0\\HELPDIR",
    "LeadToolsDir",
    "ProjectsPluginsDir",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Hewlett-Packard\\DigitalImaging",
    "CoreIncludePath",
    "SdkDvdGraphicsPath",
    "SdkIncludePath",
    "LocalDelta",
    "RemoteDelta",
    "JITSetupPage",
    "blank.htm",
    "HKEY_CLASSES_ROOT\\CLSID\\{0A4550F5-9BC3-4152-B387-A6A92314EFB9}\\InprocServer32",
    "HKEY_CLASSES_ROOT\\CLSID\\{8B621BBF-A21D-4311-92E5-A98E7DDDF36A}\\InprocServer32",
    "HKEY_CLASSES_ROOT\\CLSID\\{8E16892B-25C6-431f-8297-0EABCF13AC59}\\InprocServer32",
    "HKEY_CLASSES_ROOT\\CLSID\\{98F933D7-551D-45c5-A99A-93D438DA87D9}\\InprocServer32",
    "HistoryHashMapFile",
    "DocIdMapFile",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\CLFS",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Filetrace",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\RDPCDD",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\RDPENCDD",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\SamSs",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\sptd",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\VgaSave",
    "Services\\MySQL",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows Search\\Gather\\Windows\\SystemIndex",
    "mysqld-nt",
    "flash9b.ocx",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\VolumeCaches",
};

namespace {
uint16_t LetterPair(char first, char second) {
    return static_cast<uint16_t>(static_cast<unsigned char>(first) << 8 | static_cast<unsigned char>(second));
}

// The entries in lower case, indexed by their first two letters, made once. The test runs for
// every problem a scan finds, and 51 substring searches cost more than judging the entry: the
// text is walked once instead, and only the entries that begin with the letters at hand are
// compared. Every entry has at least two letters (the shortest is ".VB").
class LoweredEntries {
public:
    LoweredEntries() {
        for (std::string_view entry : ExclusionList) {
            std::string lowered(entry);
            LowerAsciiInPlace(lowered);
            const uint16_t pair = LetterPair(lowered[0], lowered[1]);
            pairs_.set(pair);
            byPair_.emplace_back(pair, lowered);
        }
        std::sort(byPair_.begin(), byPair_.end());
    }

    bool AnyIn(const std::string& text) const {
        for (size_t at = 0; at + 1 < text.size(); ++at) {
            const uint16_t pair = LetterPair(text[at], text[at + 1]);
            if (!pairs_.test(pair)) continue;
            auto entry = std::lower_bound(byPair_.begin(), byPair_.end(), std::make_pair(pair, std::string()));
            for (; entry != byPair_.end() && entry->first == pair; ++entry) {
                if (text.compare(at, entry->second.size(), entry->second) == 0) return true;
            }
        }
        return false;
    }

private:
    std::bitset<65536> pairs_;
    std::vector<std::pair<uint16_t, std::string>> byPair_;
};
}  // namespace

bool IsExcluded(const ProblemRecord& record) {
    const RegistryProblem* problem = record.AsRegistry();
    if (problem == nullptr) return false;
    std::string text = Joined(
        {RootKeyName(problem->rootKey), "\\", problem->keyPath, "\\", problem->valueName, "\\", problem->valueData});
    LowerAsciiInPlace(text);
    static const LoweredEntries entries;
    return entries.AnyIn(text);
}
