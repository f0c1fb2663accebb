#pragma once
// The sample programs built beside the test programs, with version resources of their own
// (tests/ui/version_samples), placed where a test wants them on the prefix's drive.
#include <windows.h>

#include <string>

#include "tests/ui/child_run.h"

// "english_german", "english_only", "german_only", "japanese_only", "japanese_korean",
// "no_translation" or "no_version".
inline std::string BuiltSample(const std::string& name) {
    return Ancestor(SelfPath(), 1) + "\\version_samples\\" + name + ".exe";
}

// Copies the sample to the path, creating its folders; false when that fails.
inline bool PlaceSample(const std::string& name, const std::string& path) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1)) {
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    }
    return CopyFileA(BuiltSample(name).c_str(), path.c_str(), FALSE) != FALSE;
}

// A folder of its own below the temporary folder, made when missing.
inline std::string SampleFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
