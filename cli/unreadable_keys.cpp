#include "cli/unreadable_keys.h"

#include "base/text_format.h"

void UnreadableKeys::Add(SectionId section, const std::string& keyName) {
    keys_[section].push_back(keyName);
    if (out_ == nullptr) return;
    std::string sectionName;
    for (const ScanSection& candidate : sections_.Sections()) {
        if (candidate.id == section) sectionName = candidate.name;
    }
    const std::string line = UnreadableKeyLine(sectionName, keyName);
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fflush(out_);
}

const std::vector<std::string>& UnreadableKeys::Of(SectionId section) const {
    static const std::vector<std::string> kNone;
    const auto found = keys_.find(section);
    return found == keys_.end() ? kNone : found->second;
}

std::string UnreadableKeyLine(const std::string& sectionName, const std::string& keyName) {
    return Format("tidrex: %s: access denied, not scanned (%s); run as administrator to scan it\n", keyName.c_str(),
                  sectionName.c_str());
}
