#include "backup/restore_report.h"

#include "base/text_format.h"

namespace {
// More items than this are counted, not listed, so the message still fits the screen.
constexpr size_t kListedItems = 10;

void AppendList(std::string& text, const std::vector<std::string>& items) {
    for (size_t i = 0; i < items.size() && i < kListedItems; ++i) text += items[i] + "\r\n";
    if (items.size() > kListedItems) text += Format("and %d more\r\n", static_cast<int>(items.size() - kListedItems));
}

const char* StatusText(RestoreReport::Status status) {
    switch (status) {
        case RestoreReport::Status::Restored: return kItemsRestoredText;
        case RestoreReport::Status::Partial: return kNotAllRestoredText;
        case RestoreReport::Status::ReplacedNotSaved: return kReplacedNotSavedText;
        case RestoreReport::Status::Invalid: break;
    }
    return kInvalidBackupText;
}
}  // namespace

std::string RestoreReport::Message() const {
    std::string text = StatusText(status);
    if (truncated) text += "\r\n\r\nThe backup's Config.ini ends inside a record.";
    if (!replaced.empty()) {
        text += Format("\r\n\r\nReplaced: %d, what they held is saved in %s\r\n", static_cast<int>(replaced.size()),
                       replacedArchive.c_str());
        AppendList(text, replaced);
    }
    // The truncation line has no line end yet; the list of replaced items ends with one.
    if (!failures.empty()) text += truncated || !replaced.empty() ? "\r\n" : "\r\n\r\n";
    AppendList(text, failures);
    return text;
}
