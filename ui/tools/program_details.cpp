#include "ui/tools/program_details.h"

#include <algorithm>
#include <cctype>

namespace {
std::string WithVersion(const std::string& name, const std::string& version) {
    return name.empty() ? name : name + " (Version : " + version + ")";
}
}  // namespace

std::string VersionFileOfCommand(const std::string& command) {
    std::string file = command;
    std::transform(file.begin(), file.end(), file.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const size_t exe = file.find(".exe");
    if (exe != std::string::npos) file.erase(exe + 4);
    file.erase(std::remove(file.begin(), file.end(), '"'), file.end());
    return file;
}

ProgramDetails DetailsOf(const VersionTexts& version) {
    return {version.companyName, version.fileDescription, WithVersion(version.internalName, version.fileVersion),
            WithVersion(version.productName, version.productVersion)};
}
