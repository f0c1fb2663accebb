#pragma once
// A folder of its own under the temporary directory for one test, removed with everything in
// it before and after the test.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline void RemoveFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

class TempFolder {
public:
    explicit TempFolder(const std::string& name) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "tidrex-" + name;
        RemoveFolderTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { RemoveFolderTree(path_); }

    const std::string& Path() const { return path_; }
    std::string Sub(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

inline void WriteTestFile(const std::string& path, const std::string& bytes) {
    const size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos) CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadTestFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Every file below the folder as "relative name: bytes", in listing order.
inline void DumpFolder(const std::string& folder, const std::string& prefix, std::vector<std::string>& lines) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            lines.push_back(prefix + name + "\\");
            DumpFolder(folder + "\\" + name, prefix + name + "\\", lines);
        } else {
            lines.push_back(prefix + name + ": " + ReadTestFile(folder + "\\" + name));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

inline std::vector<std::string> DumpFolder(const std::string& folder) {
    std::vector<std::string> lines;
    DumpFolder(folder, "", lines);
    return lines;
}
