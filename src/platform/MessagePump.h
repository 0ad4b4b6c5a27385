// The small message pump that keeps the setup's windows live while it waits on the main thread:
// one message at a time, never blocking on an empty queue.
#pragma once

#include <windows.h>

#include <cstdint>

// A step that may take a message before it is translated and dispatched, such as the keyboard
// navigation of dialog-style windows. It answers true when it has handled the message itself.
using TZelMessageFilter = bool (*)(MSG& message);

// Installs the filter that every pumped message passes first (nullptr for none) and returns the
// one installed before.
TZelMessageFilter SetMessageFilter(TZelMessageFilter filter);

// Takes one message of the thread's queue, mouse messages first, and dispatches it. A quit
// message is taken but not dispatched: it sets quitSeen. False when the queue was empty.
bool PumpOneMessage(MSG& message, bool& quitSeen);

// Dispatches up to maxCount + 1 pending messages (one for 0 or less). False when a quit message
// was taken, which ends the call.
bool ProcessPendingMessages(int32_t maxCount);

// Returns as soon as the thread's queue holds a message (also one already seen but not taken),
// at the latest after timeoutMs. A wait loop calls it between its polls so that it neither
// spins on an empty queue, keeping a processor and the window system busy for nothing, nor
// leaves a message waiting.
void WaitForMessage(DWORD timeoutMs);

// Returns as soon as the thread's queue holds a message or limitMs have passed since start
// (INFINITE: no limit), waiting at most stepMs, and dispatches one pending message. False when
// the limit has passed.
bool PumpOneWait(DWORD start, DWORD limitMs, DWORD stepMs);

// Polls done until it answers true, for at most limitMs (INFINITE: no limit), keeping the thread's
// windows live: between polls the thread waits for a message, at most stepMs, and dispatches one
// pending message. True when done answered true.
template <typename Done> bool PumpMessagesUntil(Done done, DWORD limitMs, DWORD stepMs) {
    const DWORD start = GetTickCount();
    do {
        if (done())
            return true;
    } while (PumpOneWait(start, limitMs, stepMs));
    return false;
}
