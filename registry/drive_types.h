#pragma once
// The type of a drive (GetDriveType), remembered per drive while a scan runs: a scan asks for
// the same few drives thousands of times, and each answer is a trip to the mount manager
// (under Wine about 0.4 ms, more than judging the file itself).
#include <array>
#include <string>

// While an object lives, each drive letter's type is read once on this thread. Drives that
// come or go meanwhile keep the type they had when first asked; the scan ends with the object.
class DriveTypeMemo {
public:
    DriveTypeMemo();
    DriveTypeMemo(const DriveTypeMemo&) = delete;
    DriveTypeMemo& operator=(const DriveTypeMemo&) = delete;
    ~DriveTypeMemo();

    unsigned TypeOf(char driveLetter);

private:
    static constexpr unsigned kNotRead = ~0u;
    std::array<unsigned, 26> types_;
    DriveTypeMemo* outer_;
};

// GetDriveType of the root "X:\" that the text's first three characters name, through the
// memo of this thread when one lives.
unsigned DriveTypeOfRoot(const std::string& root);

// Under Wine, the letters of the fixed disks that map to the Unix root "/" (a new prefix's Z:):
// a walk of one would walk the whole host, other prefixes included. Empty on Windows.
std::string UnixRootDriveLetters();
