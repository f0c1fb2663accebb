#pragma once
// An update of a window that may be asked for far more often than a screen can show it (a
// scan's status line, its counts): it runs at most once per interval. A request that comes
// sooner is kept, replacing any kept before, and a timer of the window runs it when the interval
// is up, so the latest request always arrives.
//     PacedUpdate totals;  totals.Attach(dialog);
//     totals.Request([=] { SetDlgItemTextA(dialog, IDC_TOTAL, text.c_str()); });
#include <windows.h>

#include <cstdint>
#include <functional>

class PacedUpdate {
public:
    static constexpr unsigned kDefaultIntervalMs = 50;

    explicit PacedUpdate(unsigned intervalMs = kDefaultIntervalMs) : intervalMs_(intervalMs) {}
    PacedUpdate(const PacedUpdate&) = delete;
    PacedUpdate& operator=(const PacedUpdate&) = delete;
    ~PacedUpdate();

    // The window whose timer runs kept updates; without one every update runs at once.
    void Attach(HWND window) { window_ = window; }
    void Request(std::function<void()> update);
    // Runs the kept update, if any, now.
    void Flush();
    // Forgets the kept update.
    void Drop();
    bool HasPending() const { return static_cast<bool>(pending_); }

private:
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time) noexcept;
    void StopTimer();
    void Run(const std::function<void()>& update);

    HWND window_ = nullptr;
    unsigned intervalMs_;
    uint64_t lastRun_ = 0;
    bool everRun_ = false;
    bool timerSet_ = false;
    std::function<void()> pending_;
};
