#pragma once
// What the tool dialogs show about the program behind a list row.
#include <string>

// The file a startup command names: lower case, cut after the first ".exe" when there is one,
// every double quote removed.
std::string VersionFileOfCommand(const std::string& command);

// The texts of a version resource that the details use.
struct VersionTexts {
    std::string companyName;
    std::string fileDescription;
    std::string fileVersion;
    std::string internalName;
    std::string productName;
    std::string productVersion;
};

// The four detail texts, each shown beside its caption.
struct ProgramDetails {
    std::string company;
    std::string description;
    std::string fileName;
    std::string productName;
};

// A name is followed by " (Version : <version>)" when the name is not empty.
ProgramDetails DetailsOf(const VersionTexts& version);
