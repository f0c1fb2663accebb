#include "scanners/list_paths.h"

#include "base/ascii_case.h"
#include "base/text_format.h"

std::string HelpFilePath(const std::string& folder, const std::string& fileName) {
    const size_t folderEnd = folder.find_last_not_of('\\');
    const size_t nameStart = fileName.find_first_not_of('\\');
    const std::string trimmedFolder = folderEnd == std::string::npos ? std::string() : folder.substr(0, folderEnd + 1);
    const std::string trimmedName = nameStart == std::string::npos ? std::string() : fileName.substr(nameStart);
    return trimmedFolder + "\\" + trimmedName;
}

std::string FontsFolderPath(const std::string& windowsFolder, const std::string& data) {
    return Format("%s\\Fonts\\%s", windowsFolder.c_str(), data.c_str());
}

std::string MissingFileDescription(const std::string& judgedPath) {
    // "The File (%s) cannot be found at the specified location.", joined: made for every problem.
    return Joined({"The File (", judgedPath, ") cannot be found at the specified location."});
}

bool IsSoundSwitch(const std::string& data) {
    return EqualsIgnoringAsciiCase(data, "yes") || EqualsIgnoringAsciiCase(data, "no");
}
