#pragma once
// What the answers about some paths tell about others while one text is judged: a name found means
// the folders on its way are there; "file not found" means the folder that would hold the name is
// there; "path not found" means that folder is not one, so nothing below it exists. Only plain
// paths take part ("X:\" and non-empty components without ".", "..", trailing dots or blanks,
// wildcards or stream colons), where the folder of a name is plainly the text before its last "\".
#include <optional>
#include <string>
#include <vector>

class PathKnowledge {
public:
    enum class Answer { Found, FileNotFound, PathNotFound, Other };

    void Learn(const std::string& path, Answer answer);

    // True or false when earlier answers decide whether the path is a folder; none otherwise.
    std::optional<bool> IsFolder(const std::string& path) const;
    // True when the path was not found, or lies below a folder known not to be one.
    bool IsKnownMissing(const std::string& path) const;

private:
    std::vector<std::string> folders_;     // known to be folders (with every folder above them)
    std::vector<std::string> notFolders_;  // known not to be folders
    std::vector<std::string> missing_;     // not found
};

bool IsPlainPath(const std::string& path);
