#include "registry/drive_types.h"

#include <windows.h>

#include <gtest/gtest.h>

// The test prefix has C: as a fixed disk, D: as a CD-ROM and no Q:.
TEST(DriveTypes, RememberedTypesAreTheDrivesOwn) {
    const unsigned outside[] = {DriveTypeOfRoot("C:\\"), DriveTypeOfRoot("D:\\"), DriveTypeOfRoot("Q:\\")};
    EXPECT_EQ(outside[0], static_cast<unsigned>(DRIVE_FIXED));
    EXPECT_EQ(outside[1], static_cast<unsigned>(DRIVE_CDROM));
    EXPECT_EQ(outside[2], static_cast<unsigned>(DRIVE_NO_ROOT_DIR));
    const DriveTypeMemo memo;
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(DriveTypeOfRoot("c:\\"), outside[0]);
        EXPECT_EQ(DriveTypeOfRoot("D:\\"), outside[1]);
        EXPECT_EQ(DriveTypeOfRoot("Q:\\"), outside[2]);
        // Not a drive root: asked as it is.
        EXPECT_EQ(DriveTypeOfRoot("1:\\"), static_cast<unsigned>(GetDriveTypeA("1:\\")));
    }
}
