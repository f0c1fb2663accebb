#include "engine/problem_intake.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "engine/exclusion_list.h"

namespace {
class RecordingLog : public ScanLogWriter {
public:
    bool StartLog() override { return true; }
    void AppendLine(const std::string& text) override { lines.push_back(text); }
    void EndLog() override {}
    std::vector<std::string> lines;
};

ProblemPtr RegistryRecord(SectionId section, const std::string& keyPath, const std::string& valueName,
                          const std::string& valueData, RootKeyValue root = kLocalMachine) {
    return MakeProblem(section, {}, RegistryProblem{root, keyPath, valueName, valueData, RemovalScope::Value});
}

// Each filed problem as its section, the section's count and the total the event carried.
class FiledEvents : public ScanEvents {
public:
    void ProblemFiled(const ScanSection& section, const ProblemRecord&, const ScanCounters& counters) override {
        filed.push_back({section.id, section.ProblemCount(), counters.totalProblems});
    }
    std::vector<std::array<int, 3>> filed;
};

struct IntakeFixture : ::testing::Test {
    IntakeFixture() {
        for (SectionId id : {kFontsSection, kHelpFilesSection, kFullRegistrySection, kShortcutsSection})
            scanList.push_back(sections.Find(id));
    }
    SectionTable sections{[](SectionId) { return 1; }};
    std::vector<ScanSection*> scanList;
    ScanCounters counters;
    RecordingLog log;
    FiledEvents events;
    ProblemIntake intake{scanList, counters, log, events, "C:\\windows"};
};
}  // namespace

TEST(ExclusionList, HasFiftyOneEntries) {
    EXPECT_EQ(ExclusionList.size(), 51u);
    EXPECT_EQ(ExclusionList[14], "svchost");
    EXPECT_EQ(ExclusionList[50],
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\VolumeCaches");
}

TEST(ExclusionList, MatchesAnyPartOfTheEntryInAnyCase) {
    EXPECT_TRUE(IsExcluded(*RegistryRecord(kFontsSection, "Software\\X", "v", "C:\\WINDOWS\\SVCHOST.EXE -k")));
    EXPECT_TRUE(IsExcluded(*RegistryRecord(
        kFontsSection, "TypeLib\\{00025E01-0000-0000-C000-000000000046}\\5.0\\HELPDIR", "", "c:\\gone", kClassesRoot)));
    EXPECT_TRUE(IsExcluded(*RegistryRecord(kComSection, "CLSID\\{98F933D7-551D-45C5-A99A-93D438DA87D9}\\InprocServer32",
                                           "Anything", "x.dll", kClassesRoot)));
    EXPECT_TRUE(IsExcluded(*RegistryRecord(kFullRegistrySection, "Software\\Y", "hIsToRyHaShMaPfIlE", "c:\\x")));
    EXPECT_FALSE(IsExcluded(*RegistryRecord(kFontsSection, "Software\\X", "v", "c:\\gone.ttf")));
    // The class id differs from entry 37 in its last digit only.
    EXPECT_FALSE(IsExcluded(*RegistryRecord(
        kComSection, "CLSID\\{98F933D7-551D-45C5-A99A-93D438DA87D8}\\InprocServer32", "", "x.dll", kClassesRoot)));
}

// The plain rule, as a reference for the faster test.
bool NaivelyExcluded(const RegistryProblem& problem) {
    auto lowered = [](std::string text) {
        for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        return text;
    };
    const std::string text = lowered(RootKeyName(problem.rootKey) + "\\" + problem.keyPath + "\\" + problem.valueName +
                                     "\\" + problem.valueData);
    for (std::string_view entry : ExclusionList) {
        if (text.find(lowered(std::string(entry))) != std::string::npos) return true;
    }
    return false;
}

TEST(ExclusionList, FindsEveryEntryWhereverItStandsAndNothingElse) {
    for (std::string_view entry : ExclusionList) {
        SCOPED_TRACE(entry);
        ASSERT_GE(entry.size(), 2u);
        std::string upper(entry);
        for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        const std::string text(entry), cut(entry.substr(0, entry.size() - 1)), tail(entry.substr(1));
        for (const ProblemPtr& record :
             {RegistryRecord(kFontsSection, "K", text, "d"), RegistryRecord(kFontsSection, "K", "v", "x" + upper),
              RegistryRecord(kFontsSection, text, "", "", kCurrentUser),
              RegistryRecord(kFontsSection, "K", "v", "x" + cut), RegistryRecord(kFontsSection, "K", tail, "")}) {
            const RegistryProblem& problem = *record->AsRegistry();
            EXPECT_EQ(IsExcluded(*record), NaivelyExcluded(problem))
                << problem.keyPath << " | " << problem.valueName << " | " << problem.valueData;
        }
        EXPECT_TRUE(IsExcluded(*RegistryRecord(kFontsSection, "K", "v", "x" + upper)));
    }
}

TEST(ExclusionList, NeverExcludesShortcutProblems) {
    EXPECT_FALSE(IsExcluded(*MakeProblem(kShortcutsSection, {}, FileProblem{"C:\\a.lnk", "C:\\page.htc"})));
}

TEST_F(IntakeFixture, FilesCountsAndLogsAcceptedProblems) {
    EXPECT_EQ(intake.AcceptProblem(
                  RegistryRecord(kHelpFilesSection, "SOFTWARE\\Microsoft\\Windows\\Help", "x.hlp", "C:\\Help\\")),
              sections.Find(kHelpFilesSection));
    EXPECT_EQ(counters.totalProblems, 1);
    EXPECT_EQ(counters.affectedSections, 1);
    intake.AcceptProblem(
        RegistryRecord(kHelpFilesSection, "SOFTWARE\\Microsoft\\Windows\\Help", "y.hlp", "C:\\Help\\"));
    intake.AcceptProblem(
        RegistryRecord(kHelpFilesSection, "SOFTWARE\\Microsoft\\Windows\\Help", "z.hlp", "C:\\Help\\"));
    EXPECT_EQ(events.filed, (std::vector<std::array<int, 3>>{
                                {kHelpFilesSection, 1, 1}, {kHelpFilesSection, 2, 2}, {kHelpFilesSection, 3, 3}}));
    EXPECT_EQ(counters.totalProblems, 3);
    EXPECT_EQ(counters.affectedSections, 1);
    ASSERT_EQ(sections.Find(kHelpFilesSection)->problems.size(), 3u);
    EXPECT_EQ(sections.Find(kHelpFilesSection)->problems[2]->AsRegistry()->valueName, "z.hlp");
    ASSERT_EQ(log.lines.size(), 3u);
    EXPECT_EQ(log.lines[0],
              "Section : Installed Help Files \r\nKey : HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\Help\r\n"
              "ValueName : x.hlp\r\nValue : C:\\Help\\\r\n\r\n");
    intake.AcceptProblem(RegistryRecord(kFontsSection, "Fonts", "f", "f.ttf"));
    EXPECT_EQ(counters.affectedSections, 2);
}

TEST_F(IntakeFixture, ExcludedProblemChangesNothing) {
    EXPECT_EQ(intake.AcceptProblem(RegistryRecord(kFontsSection, "Fonts", "a", "SvcHost.dll")), nullptr);
    EXPECT_EQ(counters.totalProblems, 0);
    EXPECT_EQ(counters.affectedSections, 0);
    EXPECT_TRUE(events.filed.empty());
    EXPECT_TRUE(sections.Find(kFontsSection)->problems.empty());
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(IntakeFixture, DefaultValueAndShortcutLogLines) {
    intake.AcceptProblem(RegistryRecord(kFontsSection, "Key\\Path", "", "data", kCurrentUser));
    EXPECT_EQ(
        log.lines.at(0),
        "Section : Installed Fonts \r\nKey : HKEY_CURRENT_USER\\Key\\Path\r\nValueName : \r\nValue : data\r\n\r\n");
    intake.AcceptProblem(
        MakeProblem(kShortcutsSection, {}, FileProblem{"C:\\Users\\Public\\Desktop\\Old.lnk", "C:\\Old\\old.htc"}));
    EXPECT_EQ(log.lines.at(1),
              "Section : Invalid Program Shortcuts\r\nLink Path = C:\\Users\\Public\\Desktop\\Old.lnk\r\n"
              "Target Path = C:\\Old\\old.htc\r\n\r\n");
}

TEST_F(IntakeFixture, IgnoredProblemIsCountedAsIgnoredOnly) {
    intake.SetIgnoreList({{IgnoreKind::Path, 0, {}, {}, "C:\\Games"}});
    EXPECT_EQ(intake.AcceptProblem(RegistryRecord(kFontsSection, "Fonts", "a", "C:\\Games\\a.ttf")), nullptr);
    EXPECT_EQ(intake.AcceptProblem(MakeProblem(kShortcutsSection, {}, FileProblem{"C:\\Games\\a.lnk", "C:\\x"})),
              nullptr);
    EXPECT_EQ(counters.totalProblems, 0);
    EXPECT_EQ(counters.affectedSections, 0);
    EXPECT_TRUE(events.filed.empty());
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(sections.Find(kFontsSection)->problems.empty());
    EXPECT_EQ(sections.Find(kFontsSection)->ignored, 1);
    EXPECT_EQ(sections.Find(kShortcutsSection)->ignored, 1);
    // Another section's problem, or one the list does not hold, is no ignored one.
    intake.AcceptProblem(RegistryRecord(kApplicationPathsSection, "App Paths\\x.exe", "", "C:\\Games\\x.exe"));
    intake.AcceptProblem(RegistryRecord(kFontsSection, "Fonts", "b", "C:\\Games Old\\b.ttf"));
    EXPECT_EQ(sections.Find(kApplicationPathsSection)->ignored, 0);
    EXPECT_EQ(sections.Find(kFontsSection)->ignored, 1);
    EXPECT_EQ(counters.totalProblems, 1);
    intake.SetIgnoreList({});
    intake.AcceptProblem(RegistryRecord(kFontsSection, "Fonts", "a", "C:\\Games\\a.ttf"));
    EXPECT_EQ(counters.totalProblems, 2);
}

TEST_F(IntakeFixture, ProblemOfASectionNotBeingScannedIsDropped) {
    EXPECT_EQ(intake.AcceptProblem(RegistryRecord(kApplicationPathsSection, "App Paths\\x.exe", "", "c:\\x.exe")),
              nullptr);
    EXPECT_EQ(counters.totalProblems, 0);
    EXPECT_TRUE(sections.Find(kApplicationPathsSection)->problems.empty());
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(IntakeFixture, TheSystemsOwnSettingsAreNeverFiled) {
    EXPECT_EQ(intake.AcceptProblem(RegistryRecord(
                  kFullRegistrySection, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
                  "PagingFiles", "c:\\pagefile.sys")),
              nullptr);
    EXPECT_EQ(counters.totalProblems, 0);
    EXPECT_TRUE(events.filed.empty());
    EXPECT_TRUE(log.lines.empty());
    EXPECT_NE(intake.AcceptProblem(RegistryRecord(kFullRegistrySection, "SYSTEM\\CurrentControlSet\\Services\\Old",
                                                  "ImagePath", "c:\\old.exe")),
              nullptr);
}

TEST_F(IntakeFixture, FiledProblemsCarryTheirRisk) {
    ProblemPtr unjudged = RegistryRecord(kFullRegistrySection, "Software\\Vendor", "Path", "c:\\gone");
    EXPECT_EQ(unjudged->risk, Risk::Review);
    intake.AcceptProblem(std::move(unjudged));
    intake.AcceptProblem(RegistryRecord(kFullRegistrySection, "SYSTEM\\Setup", "Path", "c:\\gone"));
    const std::vector<ProblemPtr>& filed = sections.Find(kFullRegistrySection)->problems;
    ASSERT_EQ(filed.size(), 2u);
    EXPECT_EQ(filed[0]->risk, Risk::Safe);
    EXPECT_EQ(filed[0]->riskReason, "Nothing needs it to start");
    EXPECT_EQ(filed[1]->risk, Risk::Review);
    EXPECT_EQ(filed[1]->riskReason, "A setting of Windows: Windows may need it to start");
}
