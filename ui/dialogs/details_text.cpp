#include "ui/dialogs/details_text.h"

#include "base/text_format.h"

std::string DetailsHeader(const ScanSection& section) {
    return Format("<b>Group Name : %s</b><br><b>Description</b> : %s", section.name.c_str(),
                  section.description.c_str());
}

std::string SpacedKeyText(RootKeyValue root, const std::string& keyPath) {
    const std::string key = RootKeyName(root) + "\\" + keyPath;
    std::string spaced;
    spaced.reserve(key.size() + 16);
    for (char c : key) {
        if (c == '\\') spaced += ' ';
        spaced += c;
    }
    return spaced;
}

namespace {
// "Review" in the colour of a warning, then why.
std::string ReviewMark(const ProblemRecord& problem) {
    if (problem.risk != Risk::Review) return {};
    return Format("<br><font color=\"#B04A00\"><b>Review</b> : %s</font>", problem.riskReason.c_str());
}
}  // namespace

std::string DetailsRow(const ProblemRecord& problem) {
    if (const FileProblem* file = problem.AsFile()) {
        return Format("<b>Shortcut Path</b> : %s<br><b>Target Path</b> : %s<br><font color=\"#FF0000\">%s</font>",
                      file->linkPath.c_str(), file->targetPath.c_str(), problem.description.c_str()) +
               ReviewMark(problem);
    }
    const RegistryProblem& registry = std::get<RegistryProblem>(problem.item);
    return Format("<b>Key</b> : %s<br><b>ValueName</b> : %s<br><b>Value</b> : %s<br><font color=\"#FF0000\">%s</font>",
                  SpacedKeyText(registry.rootKey, registry.keyPath).c_str(),
                  registry.valueName.empty() ? "(Default)" : registry.valueName.c_str(), registry.valueData.c_str(),
                  problem.description.c_str()) +
           ReviewMark(problem);
}
