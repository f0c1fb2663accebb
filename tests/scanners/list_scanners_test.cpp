#include "scanners/list_scanners.h"

#include <gtest/gtest.h>

#include "engine/section_descriptors.h"
#include "registry/file_reference.h"
#include "tests/scanners/list_scanner_fixture.h"

namespace {
const std::string kAborting = "Aborting Scan...";

// Each shown item is followed by the pause: a pump, the sleep, a pump.
void ExpectShowPumpPumpRhythm(const CollectingScanHost& host) {
    ASSERT_EQ(host.events.size() % 3, 0u);
    for (size_t i = 0; i < host.events.size(); i += 3) {
        EXPECT_EQ(host.events[i], "show");
        EXPECT_EQ(host.events[i + 1], "pump");
        EXPECT_EQ(host.events[i + 2], "pump");
    }
}

// Abort while the first item is shown: the scan ends before the next index.
void ExpectAbortSeenAtNextIndex(const CollectingScanHost& host, bool result) {
    EXPECT_FALSE(result);
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[1], kAborting);
    EXPECT_EQ(host.pumps, 3);  // the abort's own pump, then the pause of the first item
    EXPECT_LE(host.problems.size(), 1u);
}

const std::string kFonts = kFontsKey;
const std::string kSounds = kSoundsKey;
const std::string kHelp = kHelpFilesKey;
const std::string kShared = kSharedFilesKey;
const std::string kAppPaths = kApplicationPathsKey;
}  // namespace

using FontsScan = ListScannerTest;

TEST_F(FontsScan, DeletedFontFileIsReportedUnderTheFontsFolderPath) {
    const std::string data = At("gone.ttf");
    ScopedListValue stale(HKEY_LOCAL_MACHINE, kFontsKey, Unique(" (TrueType)"), data);
    EXPECT_TRUE(ScanFonts(engine));

    const ProblemRecord* problem = host.Find(kFonts, stale.Name());
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->checked, 0);
    EXPECT_EQ(problem->sectionId, kFontsSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kLocalMachine);
    EXPECT_EQ(problem->AsRegistry()->valueData, data);
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Value);
    EXPECT_EQ(problem->description,
              "The File (" + WindowsFolder() + "\\Fonts\\" + data + ") cannot be found at the specified location.");
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + kFonts + "\\" + stale.Name() + "\\" + data));
    ExpectShowPumpPumpRhythm(host);
}

TEST_F(FontsScan, FontsInTheFontsFolderOrAtAFullPathAreHealthy) {
    const std::string bareName = Unique(".ttf");
    const std::string inFontsFolder = MakeFile(WindowsFolder() + "\\Fonts\\" + bareName);
    ScopedListValue bare(HKEY_LOCAL_MACHINE, kFontsKey, Unique(" Bare"), bareName);
    ScopedListValue full(HKEY_LOCAL_MACHINE, kFontsKey, Unique(" Full"), MakeFile(At("present.ttf")));
    EXPECT_TRUE(ScanFonts(engine));
    std::filesystem::remove(inFontsFolder);
    EXPECT_EQ(host.Find(kFonts, bare.Name()), nullptr);
    EXPECT_EQ(host.Find(kFonts, full.Name()), nullptr);
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + kFonts + "\\" + bare.Name() + "\\" + bareName));
}

TEST_F(FontsScan, DataBeyondTheBufferIsNotJudged) {
    ScopedListValue tooLong(HKEY_LOCAL_MACHINE, kFontsKey, Unique(" Long"), At(std::string(300, 'a')));
    // Fits the read buffer, but not once put after the Fonts folder.
    ScopedListValue longBare(HKEY_LOCAL_MACHINE, kFontsKey, Unique(" LongBare"), std::string(250, 'b'));
    EXPECT_TRUE(ScanFonts(engine));
    EXPECT_EQ(host.Find(kFonts, tooLong.Name()), nullptr);
    EXPECT_EQ(host.Find(kFonts, longBare.Name()), nullptr);
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + kFonts + "\\" + tooLong.Name() + "\\"));
}

TEST_F(FontsScan, AbortIsSeenAtTheNextIndex) {
    ScopedListValue first(HKEY_LOCAL_MACHINE, kFontsKey, Unique("1"), At("gone1.ttf"));
    ScopedListValue second(HKEY_LOCAL_MACHINE, kFontsKey, Unique("2"), At("gone2.ttf"));
    host.AbortAtItem(engine, 1);
    ExpectAbortSeenAtNextIndex(host, ScanFonts(engine));
}

TEST_F(FontsScan, NotRunningExaminesNothing) {
    ScopedListValue stale(HKEY_LOCAL_MACHINE, kFontsKey, Unique(""), At("gone.ttf"));
    engine.running = 0;
    EXPECT_FALSE(ScanFonts(engine));
    EXPECT_TRUE(host.events.empty());
    EXPECT_TRUE(host.problems.empty());
}

using SoundsScan = ListScannerTest;

TEST_F(SoundsScan, QuotedPathOfADeletedSoundIsReportedAsRead) {
    const std::string data = "\"" + At("gone.wav") + "\"";
    ScopedListValue stale(HKEY_CURRENT_USER, kSoundsKey, Unique(""), data);
    EXPECT_TRUE(ScanSounds(engine));

    const ProblemRecord* problem = host.Find(kSounds, stale.Name());
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kSoundsSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kCurrentUser);
    EXPECT_EQ(problem->AsRegistry()->valueData, data);
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Value);
    EXPECT_EQ(problem->checked, 0);
    EXPECT_EQ(problem->description, "The File (" + At("gone.wav") + ") cannot be found at the specified location.");
    EXPECT_TRUE(host.WasShown("HKEY_CURRENT_USER\\Control Panel\\Sounds\\" + data));
    ExpectShowPumpPumpRhythm(host);
}

TEST_F(SoundsScan, CommaAndSwitchesAreNeverReportedEmptyDataIs) {
    ScopedListValue comma(HKEY_CURRENT_USER, kSoundsKey, Unique(" Comma"), ",");
    ScopedListValue empty(HKEY_CURRENT_USER, kSoundsKey, Unique(" Empty"), "");
    ScopedListValue present(HKEY_CURRENT_USER, kSoundsKey, Unique(" Present"),
                            "\"" + MakeFile(At("present.wav")) + "\"");
    ScopedListValue beepSwitch(HKEY_CURRENT_USER, kSoundsKey, Unique(" Beep"), "yes");
    EXPECT_TRUE(ScanSounds(engine));
    EXPECT_EQ(host.Find(kSounds, comma.Name()), nullptr);
    EXPECT_EQ(host.Find(kSounds, beepSwitch.Name()), nullptr);
    EXPECT_EQ(host.Find(kSounds, present.Name()), nullptr);
    const ProblemRecord* problem = host.Find(kSounds, empty.Name());
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->description, "The File () cannot be found at the specified location.");
}

TEST_F(SoundsScan, DataUpTo259CharactersIsJudgedLongerIsNot) {
    const std::string folder = At("");
    const std::string longest = folder + std::string(259 - folder.size(), 's');
    ScopedListValue fits(HKEY_CURRENT_USER, kSoundsKey, Unique(" Fits"), longest);
    ScopedListValue tooLong(HKEY_CURRENT_USER, kSoundsKey, Unique(" TooLong"), longest + "s");
    EXPECT_TRUE(ScanSounds(engine));
    const ProblemRecord* problem = host.Find(kSounds, fits.Name());
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, longest);
    EXPECT_EQ(host.Find(kSounds, tooLong.Name()), nullptr);
}

TEST_F(SoundsScan, AbortIsSeenAtTheNextIndex) {
    ScopedListValue first(HKEY_CURRENT_USER, kSoundsKey, Unique("1"), At("gone1.wav"));
    ScopedListValue second(HKEY_CURRENT_USER, kSoundsKey, Unique("2"), At("gone2.wav"));
    host.AbortAtItem(engine, 1);
    ExpectAbortSeenAtNextIndex(host, ScanSounds(engine));
}

using HelpFilesScan = ListScannerTest;

TEST_F(HelpFilesScan, HelpFileIsJudgedInTheFolderOfItsData) {
    const std::string withBackslash = Unique("A.hlp");
    const std::string without = Unique("B.hlp");
    const std::string present = Unique("C.hlp");
    MakeFile(At("Help\\" + present));
    ScopedListValue a(HKEY_LOCAL_MACHINE, kHelpFilesKey, withBackslash, At("Help\\"));
    ScopedListValue b(HKEY_LOCAL_MACHINE, kHelpFilesKey, without, At("Help"));
    ScopedListValue c(HKEY_LOCAL_MACHINE, kHelpFilesKey, present, At("Help"));
    EXPECT_TRUE(ScanHelpFiles(engine));

    const ProblemRecord* problem = host.Find(kHelp, withBackslash);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kHelpFilesSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kLocalMachine);
    EXPECT_EQ(problem->AsRegistry()->valueData, At("Help\\"));
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Value);
    EXPECT_EQ(problem->description,
              "The File (" + At("Help\\" + withBackslash) + ") cannot be found at the specified location.");
    problem = host.Find(kHelp, without);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->description,
              "The File (" + At("Help\\" + without) + ") cannot be found at the specified location.");
    EXPECT_EQ(host.Find(kHelp, present), nullptr);
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + kHelp + "\\" + present));
    ExpectShowPumpPumpRhythm(host);
}

TEST_F(HelpFilesScan, DataBeyondTheBufferIsNotJudgedButShown) {
    const std::string name = Unique(".hlp");
    ScopedListValue tooLong(HKEY_LOCAL_MACHINE, kHelpFilesKey, name, At(std::string(300, 'h')));
    EXPECT_TRUE(ScanHelpFiles(engine));
    EXPECT_EQ(host.Find(kHelp, name), nullptr);
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + kHelp + "\\" + name));
}

TEST_F(HelpFilesScan, AbortIsSeenAtTheNextIndex) {
    ScopedListValue first(HKEY_LOCAL_MACHINE, kHelpFilesKey, Unique("1.hlp"), At("Help"));
    ScopedListValue second(HKEY_LOCAL_MACHINE, kHelpFilesKey, Unique("2.hlp"), At("Help"));
    host.AbortAtItem(engine, 1);
    ExpectAbortSeenAtNextIndex(host, ScanHelpFiles(engine));
}

using SharedFilesScan = ListScannerTest;

TEST_F(SharedFilesScan, EntryIsJudgedOnItsNameAlone) {
    const std::string gone = At(Unique("Gone.dll"));
    const std::string present = MakeFile(At(Unique("Present.dll")));
    ScopedListValue stale(HKEY_LOCAL_MACHINE, kSharedFilesKey, gone, 3);
    ScopedListValue healthy(HKEY_LOCAL_MACHINE, kSharedFilesKey, present, 1);
    ScopedListValue pointsElsewhere(HKEY_LOCAL_MACHINE, kSharedFilesKey, At(Unique("Data.dll")), present);
    EXPECT_TRUE(ScanSharedFiles(engine));

    const ProblemRecord* problem = host.Find(kShared, gone);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kSharedFilesSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kLocalMachine);
    EXPECT_EQ(problem->AsRegistry()->valueData, "");
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Value);
    EXPECT_EQ(problem->checked, 0);
    EXPECT_EQ(problem->description, "The File (" + gone + ") cannot be found at the specified location.");
    EXPECT_EQ(host.Find(kShared, present), nullptr);
    EXPECT_NE(host.Find(kShared, pointsElsewhere.Name()), nullptr);
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + kShared + "\\" + gone));
    ExpectShowPumpPumpRhythm(host);
}

TEST_F(SharedFilesScan, NamesBeyondThePathLimitAreNotJudged) {
    const std::string folder = At("");
    const std::string longest = folder + std::string(259 - folder.size(), 'd');
    ScopedListValue fits(HKEY_LOCAL_MACHINE, kSharedFilesKey, longest, 1);
    ScopedListValue tooLong(HKEY_LOCAL_MACHINE, kSharedFilesKey, longest + "d", 1);
    EXPECT_TRUE(ScanSharedFiles(engine));
    EXPECT_NE(host.Find(kShared, longest), nullptr);
    EXPECT_EQ(host.Find(kShared, longest + "d"), nullptr);
}

TEST_F(SharedFilesScan, AbortIsSeenAtTheNextIndex) {
    ScopedListValue first(HKEY_LOCAL_MACHINE, kSharedFilesKey, At(Unique("1.dll")), 1);
    ScopedListValue second(HKEY_LOCAL_MACHINE, kSharedFilesKey, At(Unique("2.dll")), 1);
    host.AbortAtItem(engine, 1);
    ExpectAbortSeenAtNextIndex(host, ScanSharedFiles(engine));
}

using ApplicationPathsScan = ListScannerTest;

TEST_F(ApplicationPathsScan, QuotedExpandedDefaultOfADeletedProgramIsReportedAsRead) {
    // The test folder below %SystemDrive%, which is C: here.
    const std::string relative = At("gone.exe").substr(2);
    const std::string data = "\"%SystemDrive%" + relative + "\"";
    ScopedListSubKey stale(HKEY_LOCAL_MACHINE, kAppPaths + "\\" + Unique(".exe"), data);
    EXPECT_TRUE(ScanApplicationPaths(engine));

    const ProblemRecord* problem = host.Find(stale.Path(), "");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kApplicationPathsSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kLocalMachine);
    EXPECT_EQ(problem->AsRegistry()->valueData, data);
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Key);
    EXPECT_EQ(problem->checked, 0);
    EXPECT_EQ(problem->description, "The File (" + At("gone.exe") + ") cannot be found at the specified location.");
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + stale.Path()));
}

TEST_F(ApplicationPathsScan, PresentProgramIsHealthyAndNoDefaultIsNotJudged) {
    ScopedListSubKey healthy(HKEY_LOCAL_MACHINE, kAppPaths + "\\" + Unique("Present.exe"),
                             "\"" + MakeFile(At("present.exe")) + "\"");
    ScopedListSubKey noDefault(HKEY_LOCAL_MACHINE, kAppPaths + "\\" + Unique("NoDefault.exe"));
    EXPECT_TRUE(ScanApplicationPaths(engine));
    EXPECT_EQ(host.Find(healthy.Path(), ""), nullptr);
    EXPECT_EQ(host.Find(noDefault.Path(), ""), nullptr);
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + healthy.Path()));
    EXPECT_FALSE(host.WasShown("HKEY_LOCAL_MACHINE\\" + noDefault.Path()));
    // Every sub-key pauses, with or without a shown item.
    EXPECT_GE(host.pumps, 2 * static_cast<int>(host.shown.size()) + 2);
    EXPECT_EQ(host.pumps % 2, 0);
}

TEST_F(ApplicationPathsScan, DefaultUpTo254CharactersIsJudgedLongerIsNot) {
    const std::string folder = At("");
    const std::string longest = folder + std::string(254 - folder.size(), 'p');
    ScopedListSubKey fits(HKEY_LOCAL_MACHINE, kAppPaths + "\\" + Unique("Fits.exe"), longest);
    ScopedListSubKey tooLong(HKEY_LOCAL_MACHINE, kAppPaths + "\\" + Unique("TooLong.exe"), longest + "p");
    EXPECT_TRUE(ScanApplicationPaths(engine));
    const ProblemRecord* problem = host.Find(fits.Path(), "");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, longest);
    EXPECT_EQ(host.Find(tooLong.Path(), ""), nullptr);
    EXPECT_FALSE(host.WasShown("HKEY_LOCAL_MACHINE\\" + tooLong.Path()));
}

TEST_F(ApplicationPathsScan, ExpansionBeyondTheBufferIsNotJudged) {
    SetEnvironmentVariableA("TIDREXTEST_LONG", std::string(300, 'x').c_str());
    ScopedListSubKey expandsTooFar(HKEY_LOCAL_MACHINE, kAppPaths + "\\" + Unique(".exe"), "C:\\%TIDREXTEST_LONG%");
    EXPECT_TRUE(ScanApplicationPaths(engine));
    SetEnvironmentVariableA("TIDREXTEST_LONG", nullptr);
    EXPECT_EQ(host.Find(expandsTooFar.Path(), ""), nullptr);
}

TEST_F(ApplicationPathsScan, AbortIsSeenAtTheNextIndex) {
    ScopedListSubKey first(HKEY_LOCAL_MACHINE, kAppPaths + "\\" + Unique("1.exe"), At("gone1.exe"));
    ScopedListSubKey second(HKEY_LOCAL_MACHINE, kAppPaths + "\\" + Unique("2.exe"), At("gone2.exe"));
    host.AbortAtItem(engine, 1);
    const bool result = ScanApplicationPaths(engine);
    EXPECT_FALSE(result);
    // Sub-keys before the first shown one may have paused without showing anything.
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[1], kAborting);
    ASSERT_GE(host.events.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(host.events.end() - 4, host.events.end()),
              (std::vector<std::string>{"show", "pump", "pump", "pump"}));
}
