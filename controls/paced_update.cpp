#include "controls/paced_update.h"

#include <utility>

#include "base/window_boundary.h"

PacedUpdate::~PacedUpdate() { StopTimer(); }

void PacedUpdate::Request(std::function<void()> update) {
    const uint64_t now = GetTickCount64();
    const uint64_t waited = now - lastRun_;
    if (window_ == nullptr || !everRun_ || waited >= intervalMs_) {
        StopTimer();
        pending_ = nullptr;
        Run(update);
        return;
    }
    pending_ = std::move(update);
    if (!timerSet_) {
        // The timer's id is this object, which the timer procedure gets back.
        timerSet_ = SetTimer(window_, reinterpret_cast<UINT_PTR>(this), static_cast<UINT>(intervalMs_ - waited),
                             &PacedUpdate::OnTimer) != 0;
        if (!timerSet_) Flush();  // no timer to be had: late is worse than often
    }
}

void PacedUpdate::Flush() {
    StopTimer();
    if (!pending_) return;
    const std::function<void()> update = std::exchange(pending_, nullptr);
    Run(update);
}

void PacedUpdate::Drop() {
    StopTimer();
    pending_ = nullptr;
}

// A failed update is dropped: the next request runs as usual.
void CALLBACK PacedUpdate::OnTimer(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    AtBoundary([&] { reinterpret_cast<PacedUpdate*>(id)->Flush(); }, [] {});
}

void PacedUpdate::StopTimer() {
    if (!timerSet_) return;
    KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
    timerSet_ = false;
}

void PacedUpdate::Run(const std::function<void()>& update) {
    lastRun_ = GetTickCount64();
    everRun_ = true;
    update();
}
