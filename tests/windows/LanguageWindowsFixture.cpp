#include "LanguageWindowsFixture.h"

#include <map>

namespace language_windows_test {

namespace {

// The timers of this thread by their identifiers.
std::map<UINT_PTR, ThreadTimer*>& Timers() {
    static std::map<UINT_PTR, ThreadTimer*> timers;
    return timers;
}

struct WindowSearch {
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchShownWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (search.className != className || !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

ThreadTimer::ThreadTimer(std::function<void()> onTick)
    : onTick_(std::move(onTick)), id_(SetTimer(nullptr, 0, 20, Tick)) {
    Timers()[id_] = this;
}

ThreadTimer::~ThreadTimer() {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
}

void CALLBACK ThreadTimer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    const auto timer = Timers().find(id);
    if (timer != Timers().end())
        timer->second->onTick_();
}

MessageBoxAnswer::MessageBoxAnswer(int answer)
    : answer_(answer), timer_([this] {
          if (const HWND box = ShownWindowOfThisThread(L"#32770"))
              AnswerBox(box);
      }) {}

void MessageBoxAnswer::AnswerBox(HWND box) {
    ++asked;
    caption = WindowText(box);
    // The message box shows its text in the static control 0xFFFF.
    text = WindowText(GetDlgItem(box, 0xFFFF));
    owner = GetWindow(box, GW_OWNER);
    defaultButton = 0;
    for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        const HWND button = GetDlgItem(box, id);
        if (button && (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defaultButton = id;
    }
    if (whileAsked)
        whileAsked();
    SendMessageW(GetDlgItem(box, answer_), BM_CLICK, 0, 0);
}

HWND ShownWindowOfThisThread(const std::wstring& className) {
    WindowSearch search{className};
    EnumThreadWindows(GetCurrentThreadId(), MatchShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace language_windows_test
