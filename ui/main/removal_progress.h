#pragma once
// The progress of "Remove Problems": which stage it is in, how far it is, and "Abort". It appears
// only once a removal has taken a moment, so that a quick one shows nothing; while it is shown the
// owner is disabled, so that nothing else starts meanwhile, and the messages are pumped as the
// removal reports its items, at most every 50 ms.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "backup/problem_removal.h"
#include "ui/dialog_base.h"

class RemovalProgressWindow : public DialogBase {
public:
    explicit RemovalProgressWindow(HWND owner, uint64_t showAfterMs = 400)
        : owner_(owner), showAfterMs_(showAfterMs), started_(GetTickCount64()) {}
    // Enables the owner again and destroys the window.
    ~RemovalProgressWindow() override;

    // The removal's progress callback: false once the user chose "Abort".
    bool Advance(RemovalStage stage, size_t done, size_t total);

protected:
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Show();

    HWND owner_;
    uint64_t showAfterMs_;
    uint64_t started_;
    uint64_t lastUpdate_ = 0;
    bool aborted_ = false;
};

inline constexpr const char* kRemovalProgressCaption = "Removing Problems";
