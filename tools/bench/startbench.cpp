// Start time of the launcher up to its language selection window, against the smallest program
// of ours that shows a window (minimalwindow.exe, built the same way). Each program is started
// with CreateProcessW, its window class is looked for every millisecond until the window is
// visible, and the window is closed again; the medians of the runs are compared.
#include "BenchSetupFolder.h"
#include "BenchTiming.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 15;
constexpr DWORD kEndWaitMs = 10000;

struct Program {
    std::wstring commandLine;
    const wchar_t* windowClass;
    std::function<void(HWND)> close;
};

// Milliseconds from just before the process is created until its window is visible; nothing
// when the process ends first or the window does not show within 30 seconds.
std::optional<double> TimeToWindow(const Program& program, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = program.commandLine;
    const double start = bench::NowMs();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return std::nullopt;
    CloseHandle(process.hThread);
    std::optional<double> elapsed;
    // The wait on the process is the polling interval: it also notices an early end.
    while (!elapsed && WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT &&
           bench::NowMs() - start < 30000) {
        const HWND window = FindWindowW(program.windowClass, nullptr);
        if (window && IsWindowVisible(window)) {
            elapsed = bench::NowMs() - start;
            program.close(window);
        }
    }
    if (WaitForSingleObject(process.hProcess, kEndWaitMs) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return elapsed;
}

// The launcher's window is left by its start button, as Enter does: the package double it then
// starts ends at once.
void PressDefaultButton(HWND window) {
    const auto defaultId = static_cast<DWORD>(SendMessageW(window, DM_GETDEFID, 0, 0));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(LOWORD(defaultId), BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, LOWORD(defaultId))));
}

void PostClose(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

} // namespace

int wmain() {
    const bench::SetupFolder folder;
    const Program programs[] = {
        {L"\"" + folder.Launcher() + L"\"", L"TOrnOVISetup000", PressDefaultButton},
        {L"\"" + testing_support::ProgramFolder() + L"minimalwindow.exe\"", L"PagrionMinimalWindow",
         PostClose},
    };
    std::vector<double> times[2];
    // The first round only warms the caches; then the programs take turns.
    for (int run = 0; run <= kRuns; ++run) {
        for (int i = 0; i < 2; ++i) {
            const auto elapsed = TimeToWindow(programs[i], folder.Path());
            if (!elapsed) {
                std::fwprintf(stderr, L"startbench: %ls showed no window\n",
                              programs[i].windowClass);
                return 1;
            }
            if (run > 0)
                times[i].push_back(*elapsed);
        }
    }
    const double launcher = bench::Median(times[0]);
    const double minimal = bench::Median(times[1]);
    std::printf("start to window shown (median of %d): launcher %.1f ms, minimal window %.1f ms, "
                "ratio %.2f (target at most 1.2)\n",
                kRuns, launcher, minimal, launcher / minimal);
    return 0;
}
