// The message pump of the waits: how many messages one call takes, quit messages, mouse input
// first, the filter that sees every message before it is dispatched, and the wait for a message
// between polls.
#include "platform/MessagePump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A hidden window that records the messages dispatched to it.
class RecordingWindow {
public:
    RecordingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"PagrionPumpTestWindow";
        RegisterClassW(&windowClass);
        handle = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // Let the creation's own messages pass before the test posts its own.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    ~RecordingWindow() { DestroyWindow(handle); }

    void Post(UINT message, int count = 1) {
        for (int i = 0; i < count; ++i)
            PostMessageW(handle, message, 0, 0);
    }

    HWND handle;
    std::vector<UINT> received;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && (message >= WM_APP || message == WM_MOUSEMOVE))
            self->received.push_back(message);
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

bool QueueHolds(UINT message) {
    MSG peeked;
    return PeekMessageW(&peeked, nullptr, message, message, PM_NOREMOVE) != FALSE;
}

TEST(MessagePump, OneCallTakesAtMostMaxCountPlusOneMessages) {
    struct Case {
        int32_t maxCount;
        size_t taken;
    };
    for (const Case test : {Case{-5, 1}, Case{0, 1}, Case{1, 2}, Case{3, 4}, Case{100, 5}}) {
        RecordingWindow window;
        window.Post(WM_APP, 5);
        EXPECT_TRUE(ProcessPendingMessages(test.maxCount));
        EXPECT_EQ(window.received.size(), test.taken) << test.maxCount;
    }
}

TEST(MessagePump, EmptyQueueAnswersAtOnce) {
    RecordingWindow window;
    MSG message;
    bool quitSeen = true;
    EXPECT_FALSE(PumpOneMessage(message, quitSeen));
    EXPECT_FALSE(quitSeen);
    EXPECT_TRUE(ProcessPendingMessages(0));
}

// A wait between polls ends at once for a waiting message, also for one a poll has already looked
// at without taking it; without one it lasts its time.
TEST(MessagePump, WaitForMessageEndsForAWaitingMessage) {
    constexpr DWORD kLongWaitMs = 20000;
    RecordingWindow window;
    window.Post(WM_APP);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
    const DWORD start = GetTickCount();
    WaitForMessage(kLongWaitMs);
    EXPECT_LT(GetTickCount() - start, kLongWaitMs / 2);
    ProcessPendingMessages(0);
    EXPECT_EQ(window.received, std::vector<UINT>{WM_APP});

    const DWORD emptyStart = GetTickCount();
    WaitForMessage(50);
    EXPECT_GE(GetTickCount() - emptyStart, 40u);
}

TEST(MessagePump, QuitMessageEndsTheCallAndIsConsumed) {
    RecordingWindow window;
    window.Post(WM_APP, 2);
    PostQuitMessage(0);
    // The platform hands out a quit message whatever the filter of the mouse-first look, so it
    // may come before the other messages.
    EXPECT_FALSE(ProcessPendingMessages(100));
    EXPECT_FALSE(QueueHolds(WM_QUIT));
    EXPECT_TRUE(ProcessPendingMessages(100));
}

TEST(MessagePump, MouseInputIsTakenBeforeEarlierMessages) {
    RecordingWindow window;
    window.Post(WM_APP);
    window.Post(WM_MOUSEMOVE);
    MSG message;
    bool quitSeen = false;
    ASSERT_TRUE(PumpOneMessage(message, quitSeen));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_MOUSEMOVE));
    ASSERT_TRUE(PumpOneMessage(message, quitSeen));
    EXPECT_EQ(window.received, (std::vector<UINT>{WM_MOUSEMOVE, WM_APP}));
}

TEST(MessagePump, FilterTakesTheMessagesItHandles) {
    static std::vector<UINT> filtered;
    filtered.clear();
    const TZelMessageFilter previous = SetMessageFilter([](MSG& message) {
        filtered.push_back(message.message);
        return message.message == WM_APP + 1;
    });
    RecordingWindow window;
    window.Post(WM_APP);
    window.Post(WM_APP + 1);
    ProcessPendingMessages(10);
    SetMessageFilter(previous);
    EXPECT_EQ(filtered, (std::vector<UINT>{WM_APP, WM_APP + 1}));
    EXPECT_EQ(window.received, std::vector<UINT>{WM_APP});
}

} // namespace
