#include "ui/main/ignore_command.h"

#include "ui/dialogs/ignored_entries_dialog.h"
#include "ui/message_box.h"

int RunIgnoreProblems(const IgnoreCommandContext& context, const IgnoreList& rules) {
    IgnoreList stored;
    for (const IgnoreRule& rule : rules) {
        if (context.store.Add(rule).number > 0) stored.push_back(rule);
    }
    const int withdrawn = context.session.Ignore(stored);
    if (stored.size() < rules.size()) ShowMessageBox(context.window, kIgnoreListNotSavedText, context.applicationName);
    return withdrawn;
}
