#include "cli/ignore_commands.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/ignore_list_store.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/stream_text.h"

namespace {
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// The command line as main runs it, on a settings key of the test's own.
class IgnoreConsole {
public:
    Outcome Run(const std::vector<std::string>& arguments) const {
        const ParsedCommandLine parsed = ParseCommandLine(arguments);
        if (!parsed.command) return {parsed.exitStatus, parsed.output, parsed.error};
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int status = RunIgnoreCommand({std::get<IgnoreCommandLine>(*parsed.command), out, err, settings_});
        Outcome outcome{status, StreamText(out), StreamText(err)};
        std::fclose(out);
        std::fclose(err);
        return outcome;
    }
    IgnoreList Stored() const { return IgnoreListStore(settings_).Read(); }
    bool SettingsExist() const { return !Preferences(settings_).IsFirstRun(); }

private:
    RegistrySandbox sandbox_{"IgnoreConsole"};
    std::string settings_ = sandbox_.Sub("TidrexVelora");
};
}  // namespace

TEST(IgnoreConsole, AddListAndRemoveByTheListsNumbers) {
    const IgnoreConsole console;
    EXPECT_EQ(console.Run({"ignore", "list"}).out, "No entries are ignored\n");
    const Outcome key = console.Run({"ignore", "add", "--key", "HKLM\\SOFTWARE\\Vendor"});
    EXPECT_EQ(key.status, kExitClean) << key.err;
    EXPECT_EQ(key.out, "Ignored 1\tKey\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\n");
    EXPECT_EQ(console.Run({"ignore", "add", "--key", "HKEY_CURRENT_USER\\Software\\X", "--value", "Run|Me"}).out,
              "Ignored 2\tValue\tHKEY_CURRENT_USER\\Software\\X\tRun|Me\n");
    EXPECT_EQ(console.Run({"ignore", "add", "--value", "", "--key", "hkcr\\.old"}).out,
              "Ignored 3\tValue\tHKEY_CLASSES_ROOT\\.old\t(Default)\n");
    EXPECT_EQ(console.Run({"ignore", "add", "--path", "C:\\Games\\"}).out, "Ignored 4\tPath\tC:\\Games\n");
    const Outcome again = console.Run({"ignore", "add", "--key", "hklm\\software\\vendor"});
    EXPECT_EQ(again.status, kExitClean);
    EXPECT_EQ(again.out, "Already ignored 1\tKey\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\n");
    EXPECT_TRUE(console.SettingsExist());

    EXPECT_EQ(console.Run({"ignore", "list"}).out,
              "1\tKey\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\n2\tValue\tHKEY_CURRENT_USER\\Software\\X\tRun|Me\n"
              "3\tValue\tHKEY_CLASSES_ROOT\\.old\t(Default)\n4\tPath\tC:\\Games\n");
    const nlohmann::json json = nlohmann::json::parse(console.Run({"ignore", "list", "--json"}).out);
    EXPECT_EQ(json["ignored"][0], nlohmann::json::parse(R"({"number":1,"kind":"key","root":"HKEY_LOCAL_MACHINE",
                                                            "keyPath":"SOFTWARE\\Vendor"})"));
    EXPECT_EQ(json["ignored"][2]["valueName"], "");
    EXPECT_EQ(json["ignored"][3], nlohmann::json::parse(R"({"number":4,"kind":"path","path":"C:\\Games"})"));

    const Outcome removed = console.Run({"ignore", "remove", "2"});
    EXPECT_EQ(removed.status, kExitClean) << removed.err;
    EXPECT_EQ(removed.out, "Removed 2\tValue\tHKEY_CURRENT_USER\\Software\\X\tRun|Me\n");
    EXPECT_EQ(console.Run({"ignore", "list"}).out,
              "1\tKey\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\n2\tValue\tHKEY_CLASSES_ROOT\\.old\t(Default)\n"
              "3\tPath\tC:\\Games\n");
}

namespace {
class IgnoreConsoleRefuses : public ::testing::TestWithParam<std::vector<std::string>> {};
}  // namespace

TEST_P(IgnoreConsoleRefuses, WithOneLineAndStatusTwoStoringNothing) {
    const IgnoreConsole console;
    console.Run({"ignore", "add", "--path", "D:\\Kept"});
    const Outcome outcome = console.Run(GetParam());
    EXPECT_EQ(outcome.status, kExitUsage);
    EXPECT_TRUE(outcome.out.empty()) << outcome.out;
    ASSERT_FALSE(outcome.err.empty());
    EXPECT_EQ(outcome.err.rfind("tidrex: ", 0), 0u) << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
    EXPECT_EQ(console.Stored(), (IgnoreList{{IgnoreKind::Path, 0, {}, {}, "D:\\Kept"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, IgnoreConsoleRefuses,
    ::testing::Values(std::vector<std::string>{"ignore"}, std::vector<std::string>{"ignore", "add"},
                      std::vector<std::string>{"ignore", "add", "--key", "HKLM"},
                      std::vector<std::string>{"ignore", "add", "--key", "HKXY\\Software\\Vendor"},
                      std::vector<std::string>{"ignore", "add", "--key", "Software\\Vendor"},
                      std::vector<std::string>{"ignore", "add", "--key", "HKLM\\A\\\\B"},
                      std::vector<std::string>{"ignore", "add", "--key", ""},
                      std::vector<std::string>{"ignore", "add", "--value", "Name"},
                      std::vector<std::string>{"ignore", "add", "--path", ""},
                      std::vector<std::string>{"ignore", "add", "--path", "Games"},
                      std::vector<std::string>{"ignore", "add", "--path", "C:\\Games", "--key", "HKLM\\A"},
                      std::vector<std::string>{"ignore", "add", "--path", "C:\\A", "--path", "C:\\B"},
                      std::vector<std::string>{"ignore", "list", "--all"}, std::vector<std::string>{"ignore", "remove"},
                      std::vector<std::string>{"ignore", "remove", "0"},
                      std::vector<std::string>{"ignore", "remove", "2"},
                      std::vector<std::string>{"ignore", "remove", "-1"},
                      std::vector<std::string>{"ignore", "remove", "one"},
                      std::vector<std::string>{"ignore", "remove", "1", "2"}));

TEST(IgnoreConsole, HelpNamesTheCommands) {
    for (const char* text : {"ignore"}) EXPECT_NE(ParseCommandLine({"--help"}).output.find(text), std::string::npos);
    const std::string ignore = ParseCommandLine({"ignore", "--help"}).output;
    for (const char* text : {"add", "list", "remove", "Exit status"})
        EXPECT_NE(ignore.find(text), std::string::npos) << text;
    const std::string add = ParseCommandLine({"ignore", "add", "--help"}).output;
    for (const char* text : {"--key", "--value", "--path", "HKLM"})
        EXPECT_NE(add.find(text), std::string::npos) << text;
}
