#include "platform/MessagePump.h"

#include <algorithm>

namespace {

TZelMessageFilter currentFilter = nullptr;

bool IsUnicodeMessage(const MSG& message) {
    return message.hwnd == nullptr || IsWindowUnicode(message.hwnd);
}

} // namespace

TZelMessageFilter SetMessageFilter(TZelMessageFilter filter) {
    const TZelMessageFilter previous = currentFilter;
    currentFilter = filter;
    return previous;
}

bool PumpOneMessage(MSG& message, bool& quitSeen) {
    quitSeen = false;
    // Mouse input goes first so that a busy queue never makes the pointer feel stuck.
    const bool tookMouse =
        PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL, PM_REMOVE) != FALSE;
    if (!tookMouse && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
        return false;

    const bool unicode = IsUnicodeMessage(message);
    if (!tookMouse) {
        const BOOL took = unicode ? PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)
                                  : PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
        if (!took)
            return false;
    }

    if (message.message == WM_QUIT) {
        quitSeen = true;
        return true;
    }
    if (currentFilter && currentFilter(message))
        return true;
    TranslateMessage(&message);
    if (unicode)
        DispatchMessageW(&message);
    else
        DispatchMessageA(&message);
    return true;
}

void WaitForMessage(DWORD timeoutMs) {
    MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

bool ProcessPendingMessages(int32_t maxCount) {
    bool result = true;
    for (;;) {
        MSG message;
        bool quitSeen = false;
        if (!PumpOneMessage(message, quitSeen))
            break;
        result = !quitSeen;
        if (quitSeen || maxCount <= 0)
            break;
        --maxCount;
    }
    return result;
}

bool PumpOneWait(DWORD start, DWORD limitMs, DWORD stepMs) {
    const DWORD elapsed = GetTickCount() - start;
    if (limitMs != INFINITE && elapsed >= limitMs)
        return false;
    WaitForMessage(limitMs == INFINITE ? stepMs : std::min(stepMs, limitMs - elapsed));
    ProcessPendingMessages(0);
    return true;
}
