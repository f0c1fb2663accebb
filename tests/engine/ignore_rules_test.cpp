#include "engine/ignore_rules.h"

#include <gtest/gtest.h>

#include "engine/ignore_rule_text.h"
#include "engine/ignored_problems.h"
#include "engine/section_descriptors.h"
#include "engine/section_table.h"

namespace {
IgnoreRule Key(RootKeyValue root, const char* path) { return {IgnoreKind::Key, root, path, {}, {}}; }
IgnoreRule Value(RootKeyValue root, const char* path, const char* name) {
    return {IgnoreKind::Value, root, path, name, {}};
}
IgnoreRule Path(const char* path) { return {IgnoreKind::Path, 0, {}, {}, path}; }

ProblemPtr Registry(RootKeyValue root, const char* key, const char* name, const char* data,
                    RemovalScope scope = RemovalScope::Value) {
    return MakeProblem(kFontsSection, "d", RegistryProblem{root, key, name, data, scope});
}
ProblemPtr Shortcut(const char* link, const char* target) {
    return MakeProblem(kShortcutsSection, "d", FileProblem{link, target});
}

struct HoldCase {
    const char* name;
    IgnoreRule rule;
    std::function<ProblemPtr()> problem;
    bool held;
};

class IgnoreRuleHolds : public ::testing::TestWithParam<HoldCase> {};

const IgnoreRule kVendor = Key(kLocalMachine, "SOFTWARE\\Vendor");
const IgnoreRule kVendorPath = Value(kLocalMachine, "SOFTWARE\\Vendor", "Path");
const IgnoreRule kVendorDefault = Value(kLocalMachine, "SOFTWARE\\Vendor", "");
const IgnoreRule kGames = Path("C:\\Games");
}  // namespace

TEST_P(IgnoreRuleHolds, AsTheWholeNameSays) {
    EXPECT_EQ(Holds(GetParam().rule, *GetParam().problem()), GetParam().held);
    EXPECT_EQ(AnyHolds({Path("Z:\\Other"), GetParam().rule}, *GetParam().problem()), GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IgnoreRuleHolds,
    ::testing::Values(
        HoldCase{"KeyItself", kVendor, [] { return Registry(kLocalMachine, "software\\VENDOR", "v", "x"); }, true},
        HoldCase{"KeyBelow", kVendor,
                 [] { return Registry(kLocalMachine, "SOFTWARE\\Vendor\\App", "", "x", RemovalScope::Key); }, true},
        HoldCase{"KeyOfLongerName", kVendor, [] { return Registry(kLocalMachine, "SOFTWARE\\VendorX", "v", "x"); },
                 false},
        HoldCase{"KeyAbove", kVendor, [] { return Registry(kLocalMachine, "SOFTWARE", "Vendor", "x"); }, false},
        HoldCase{"KeyOfOtherRoot", kVendor, [] { return Registry(kCurrentUser, "SOFTWARE\\Vendor", "v", "x"); }, false},
        HoldCase{"KeyNeverAShortcut", kVendor, [] { return Shortcut("C:\\SOFTWARE\\Vendor.lnk", "x"); }, false},
        HoldCase{"ValueItself", kVendorPath, [] { return Registry(kLocalMachine, "Software\\Vendor", "PATH", "x"); },
                 true},
        HoldCase{"ValueWhoseKeyGoes", kVendorPath,
                 [] { return Registry(kLocalMachine, "SOFTWARE\\Vendor", "Path", "x", RemovalScope::Key); }, true},
        HoldCase{"ValueOfOtherName", kVendorPath,
                 [] { return Registry(kLocalMachine, "SOFTWARE\\Vendor", "Path2", "x"); }, false},
        HoldCase{"ValueOfKeyBelow", kVendorPath,
                 [] { return Registry(kLocalMachine, "SOFTWARE\\Vendor\\App", "Path", "x"); }, false},
        HoldCase{"DefaultValue", kVendorDefault, [] { return Registry(kLocalMachine, "SOFTWARE\\Vendor", "", "x"); },
                 true},
        HoldCase{"DefaultValueNotNamed", kVendorDefault,
                 [] { return Registry(kLocalMachine, "SOFTWARE\\Vendor", "x", "x"); }, false},
        HoldCase{"PathInData", kGames, [] { return Registry(kCurrentUser, "K", "v", "C:\\Games\\a.exe"); }, true},
        HoldCase{"PathQuoted", kGames, [] { return Registry(kCurrentUser, "K", "v", "\"C:\\Games\\a.exe\" -x"); },
                 true},
        HoldCase{"FolderQuoted", kGames, [] { return Registry(kCurrentUser, "K", "v", "\"c:\\GAMES\""); }, true},
        HoldCase{"FolderItself", kGames, [] { return Registry(kCurrentUser, "K", "v", "c:\\games"); }, true},
        HoldCase{"FolderOfLongerName", kGames, [] { return Registry(kCurrentUser, "K", "v", "C:\\Games Old\\a"); },
                 false},
        HoldCase{"FolderOfLongerWord", kGames, [] { return Registry(kCurrentUser, "K", "v", "C:\\GamesX"); }, false},
        HoldCase{"PathNotAtTheStart", kGames, [] { return Registry(kCurrentUser, "K", "v", "run C:\\Games\\a"); },
                 false},
        HoldCase{"PathAsValueName", kGames,
                 [] { return Registry(kLocalMachine, "SharedDLLs", "C:\\Games\\x.dll", "1"); }, true},
        HoldCase{"PathNotInTheKey", kGames, [] { return Registry(kLocalMachine, "C:\\Games", "v", "d"); }, false},
        HoldCase{"ShortcutInFolder", kGames, [] { return Shortcut("C:\\Games\\Game.lnk", "D:\\x.exe"); }, true},
        HoldCase{"ShortcutToFolder", kGames, [] { return Shortcut("C:\\Desk\\Game.lnk", "C:\\Games\\g.exe"); }, true},
        HoldCase{"ShortcutElsewhere", kGames, [] { return Shortcut("C:\\Desk\\Game.lnk", "C:\\Games2\\g.exe"); },
                 false},
        HoldCase{"DriveRoot", Path("C:\\"), [] { return Shortcut("c:\\a\\b.lnk", "x"); }, true},
        HoldCase{"OtherDrive", Path("C:\\"), [] { return Shortcut("D:\\a\\b.lnk", "x"); }, false},
        HoldCase{"Share", Path("\\\\server\\share"), [] { return Shortcut("\\\\SERVER\\share\\a.lnk", "x"); }, true},
        HoldCase{"LongerShare", Path("\\\\server\\share"), [] { return Shortcut("\\\\server\\shared\\a.lnk", "x"); },
                 false}),
    [](const ::testing::TestParamInfo<HoldCase>& test) { return std::string(test.param.name); });

TEST(IgnoreRule, IgnoringAProblemTakesWhatItsRemovalWouldTake) {
    EXPECT_EQ(RuleFor(*Registry(kCurrentUser, "Software\\A", "Name", "d")), Value(kCurrentUser, "Software\\A", "Name"));
    EXPECT_EQ(RuleFor(*Registry(kClassesRoot, "CLSID\\{1}", "", "d", RemovalScope::Key)),
              Key(kClassesRoot, "CLSID\\{1}"));
    EXPECT_EQ(RuleFor(*Shortcut("C:\\Desk\\Old.lnk", "C:\\Old\\old.exe")), Path("C:\\Desk\\Old.lnk"));
    for (const ProblemPtr& problem : {Registry(kUsers, ".DEFAULT\\K", "", "d"), Shortcut("C:\\a.lnk", "C:\\b")})
        EXPECT_TRUE(Holds(RuleFor(*problem), *problem));
    EXPECT_TRUE(SameRule(Key(kLocalMachine, "SOFTWARE\\Vendor"), Key(kLocalMachine, "software\\vendor")));
    EXPECT_FALSE(SameRule(Key(kLocalMachine, "SOFTWARE\\Vendor"), Key(kCurrentUser, "SOFTWARE\\Vendor")));
    EXPECT_FALSE(SameRule(Key(kLocalMachine, "SOFTWARE\\Vendor"), Value(kLocalMachine, "SOFTWARE\\Vendor", "")));
}

namespace {
struct TypedCase {
    const char* name;
    std::function<std::optional<IgnoreRule>(std::string&)> make;
    std::optional<IgnoreRule> rule;  // none: refused with an error
};

class TypedRule : public ::testing::TestWithParam<TypedCase> {};
}  // namespace

TEST_P(TypedRule, IsTakenOrRefusedWithOneLine) {
    std::string error;
    const std::optional<IgnoreRule> rule = GetParam().make(error);
    EXPECT_EQ(rule, GetParam().rule);
    EXPECT_EQ(error.empty(), rule.has_value()) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    if (rule) {
        EXPECT_EQ(ParseStoredRule(StoredRuleText(*rule)), rule);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Input, TypedRule,
    ::testing::Values(
        TypedCase{"ShortRoot", [](std::string& e) { return KeyRule("HKLM\\SOFTWARE\\Vendor", e); },
                  Key(kLocalMachine, "SOFTWARE\\Vendor")},
        TypedCase{"LongRootTrailingSlash",
                  [](std::string& e) { return KeyRule("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\", e); },
                  Key(kLocalMachine, "SOFTWARE\\Vendor")},
        TypedCase{"RootInAnyCase", [](std::string& e) { return KeyRule("hkcu\\Software\\X", e); },
                  Key(kCurrentUser, "Software\\X")},
        TypedCase{"ClassesRoot", [](std::string& e) { return KeyRule("HKEY_CLASSES_ROOT\\.txt", e); },
                  Key(kClassesRoot, ".txt")},
        TypedCase{"Users", [](std::string& e) { return KeyRule("HKU\\.DEFAULT\\Software", e); },
                  Key(kUsers, ".DEFAULT\\Software")},
        TypedCase{"Value", [](std::string& e) { return ValueRule("HKCU\\Software\\X", "a|b%7C\\c", e); },
                  Value(kCurrentUser, "Software\\X", "a|b%7C\\c")},
        TypedCase{"DefaultValue", [](std::string& e) { return ValueRule("HKCU\\Software\\X", "", e); },
                  Value(kCurrentUser, "Software\\X", "")},
        TypedCase{"Drive", [](std::string& e) { return PathRule("C:", e); }, Path("C:\\")},
        TypedCase{"DriveRoot", [](std::string& e) { return PathRule("C:\\\\", e); }, Path("C:\\")},
        TypedCase{"Folder", [](std::string& e) { return PathRule("c:\\Games 100%|\\", e); }, Path("c:\\Games 100%|")},
        TypedCase{"Share", [](std::string& e) { return PathRule("\\\\server\\share", e); }, Path("\\\\server\\share")},
        TypedCase{"NoKey", [](std::string& e) { return KeyRule("", e); }, std::nullopt},
        TypedCase{"RootAlone", [](std::string& e) { return KeyRule("HKLM", e); }, std::nullopt},
        TypedCase{"RootAndSlash", [](std::string& e) { return KeyRule("HKLM\\", e); }, std::nullopt},
        TypedCase{"UnknownRoot", [](std::string& e) { return KeyRule("HKXX\\a", e); }, std::nullopt},
        TypedCase{"OtherRoot", [](std::string& e) { return KeyRule("HKEY_CURRENT_CONFIG\\a", e); }, std::nullopt},
        TypedCase{"NoRoot", [](std::string& e) { return KeyRule("SOFTWARE\\Vendor", e); }, std::nullopt},
        TypedCase{"EmptyName", [](std::string& e) { return KeyRule("HKLM\\a\\\\b", e); }, std::nullopt},
        TypedCase{"EmptyFirstName", [](std::string& e) { return KeyRule("HKLM\\\\a", e); }, std::nullopt},
        TypedCase{"ValueOfNoKey", [](std::string& e) { return ValueRule("HKLM", "v", e); }, std::nullopt},
        TypedCase{"EmptyPath", [](std::string& e) { return PathRule("", e); }, std::nullopt},
        TypedCase{"RelativePath", [](std::string& e) { return PathRule("Games", e); }, std::nullopt},
        TypedCase{"DriveRelative", [](std::string& e) { return PathRule("C:Games", e); }, std::nullopt},
        TypedCase{"RootRelative", [](std::string& e) { return PathRule("\\Games", e); }, std::nullopt},
        TypedCase{"NoServer", [](std::string& e) { return PathRule("\\\\\\x", e); }, std::nullopt},
        TypedCase{"NoDriveLetter", [](std::string& e) { return PathRule("1:\\x", e); }, std::nullopt}),
    [](const ::testing::TestParamInfo<TypedCase>& test) { return std::string(test.param.name); });

TEST(StoredRule, IsOneLineThatReadsBackAsTheRule) {
    EXPECT_EQ(StoredRuleText(Key(kLocalMachine, "SOFTWARE\\Vendor")), "Key|HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor");
    EXPECT_EQ(StoredRuleText(Value(kCurrentUser, "Software\\A|B", "50%|x")),
              "Value|HKEY_CURRENT_USER\\Software\\A%7CB|50%25%7Cx");
    EXPECT_EQ(StoredRuleText(Path("C:\\Games")), "Path|C:\\Games");
    EXPECT_EQ(ParseStoredRule("Value|HKEY_CURRENT_USER\\Software\\A%7cB|50%25%7Cx"),
              Value(kCurrentUser, "Software\\A|B", "50%|x"));
    EXPECT_EQ(ParseStoredRule("Value|HKCU\\K|"), Value(kCurrentUser, "K", ""));
}

class DamagedStoredRule : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedStoredRule, IsNoRule) { EXPECT_EQ(ParseStoredRule(GetParam()), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(Lines, DamagedStoredRule,
                         ::testing::Values("", "Key", "Key|", "Key|HKLM", "key|HKLM\\X", "Pattern|C:\\x", "Path|Games",
                                           "Path|C:\\x|y", "Path|", "Value|HKLM\\X", "Value|HKLM\\X|a|b",
                                           "Value|HKLM\\X|a%zz", "Value|HKLM\\X|a%2", "Key|HKLM\\%7", "|Key|HKLM\\X"));

TEST(WithdrawIgnored, TakesHeldProblemsOutOfSectionsAndTotals) {
    SectionTable table([](SectionId) { return 1; });
    ScanSection& fonts = *table.Find(kFontsSection);
    ScanSection& shortcuts = *table.Find(kShortcutsSection);
    fonts.problems.push_back(Registry(kLocalMachine, "SOFTWARE\\Vendor", "a", "C:\\x"));
    fonts.problems.push_back(Registry(kLocalMachine, "SOFTWARE\\Other", "b", "C:\\Games\\y"));
    fonts.problems.push_back(Registry(kLocalMachine, "SOFTWARE\\Other", "c", "C:\\z"));
    shortcuts.problems.push_back(Shortcut("C:\\Games\\a.lnk", "C:\\gone.exe"));
    ScanCounters counters{4, 2};
    EXPECT_EQ(WithdrawIgnored({&fonts, &shortcuts}, {kVendor, kGames}, counters), 3);
    ASSERT_EQ(fonts.ProblemCount(), 1);
    EXPECT_EQ(fonts.problems[0]->AsRegistry()->valueName, "c");
    EXPECT_EQ(fonts.ignored, 2);
    EXPECT_EQ(shortcuts.ProblemCount(), 0);
    EXPECT_EQ(shortcuts.ignored, 1);
    EXPECT_EQ(counters.totalProblems, 1);
    EXPECT_EQ(counters.affectedSections, 1);
    EXPECT_EQ(WithdrawIgnored({&fonts, &shortcuts}, {kGames}, counters), 0);
    table.ClearProblems();
    EXPECT_EQ(fonts.ignored, 0);
}
