#pragma once
// The one exception policy of every window, dialog and subclass procedure and of every thread
// entry: the body runs inside AtBoundary, which stops any exception there and answers with the
// fallback instead (for a window message, the default handling). No exception crosses into
// Windows, and no noexcept procedure that allocates can reach std::terminate.
//     return AtBoundary([&] { return self->OnMessage(message, wParam, lParam); },
//                       [&] { return DefSubclassProc(window, message, wParam, lParam); });
#include <windows.h>

#include <exception>

// Leaves the text of a stopped exception for a debugger; nothing else can be done there.
inline void ReportStoppedException(const char* what) {
    OutputDebugStringA("TidrexVelora: exception stopped at a window boundary: ");
    OutputDebugStringA(what ? what : "unknown");
    OutputDebugStringA("\n");
}

template <typename Body, typename Fallback>
auto AtBoundary(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (const std::exception& failure) {
        ReportStoppedException(failure.what());
    } catch (...) {
        ReportStoppedException(nullptr);
    }
    return fallback();
}
