#include "ui/scan/message_pump.h"

#include <windows.h>

void PumpMessages(HWND dialog) {
    MSG message;
    for (int dispatched = 0; dispatched < 10; ++dispatched) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
        if (message.message == WM_QUIT) {
            // The quit belongs to whoever runs the message loop: put it back and stop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (dialog && IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
