// The advanced page's three buttons open their tool dialogs modally.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/support/registry_sandbox.h"
#include "tests/ui/dialog_driver.h"
#include "ui/main/main_dialog.h"

TEST(AdvancedPageButtons, OpenTheirManagers) {
    RegistrySandbox settings("ManagerButtons");
    Preferences preferences(settings.Path(), settings.Sub("Run"));
    MessageBoxRecorder boxes;
    MainDialog dialog(MainDialogStartup{nullptr, nullptr, &preferences, "TidrexVelora", nullptr});
    std::vector<std::string> opened;
    DialogSteps::Schedule([&] {
        HWND window = dialog.Window();
        ShowWindow(window, SW_SHOWNORMAL);
        Click(window, IDC_NAV_ADVANCED);
        const std::pair<int, const char*> buttons[] = {{IDC_STARTUP_MANAGER, "Startup Programs Manager"},
                                                       {IDC_BHO_MANAGER, "Browser Helper Object Manager"},
                                                       {IDC_ADD_REMOVE_MANAGER, "Add Remove Programs Manager"}};
        for (const auto& [button, title] : buttons) {
            DialogSteps::Schedule([&opened, window, title = title] {
                HWND manager = ThreadWindowTitled(title, window);
                if (!manager) return;
                opened.push_back(title);
                EXPECT_EQ(GetWindow(manager, GW_OWNER), window);
                EXPECT_FALSE(IsWindowEnabled(window));  // modal
                Click(manager, IDCANCEL);
            });
            Click(window, button);
            EXPECT_TRUE(IsWindowEnabled(window));
        }
        EndDialog(window, kLeftOpen);
    });
    EXPECT_EQ(dialog.Run(), kLeftOpen);
    EXPECT_EQ(opened, (std::vector<std::string>{"Startup Programs Manager", "Browser Helper Object Manager",
                                                "Add Remove Programs Manager"}));
    EXPECT_TRUE(boxes.texts.empty());
}
