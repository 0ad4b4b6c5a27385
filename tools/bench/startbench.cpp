// Start time of the launcher up to its language selection window, against the smallest program
// of ours that shows a window (minimalwindow.exe, built the same way), against the same window
// with the launcher's kinds of themed controls (minimalthemedwindow.exe) and against the peer
// installer's language dialog (peerlanguagedialog.exe, when it was built). Each program is
// started with CreateProcessW, its window is looked for every millisecond until it is visible,
// and the window is closed again; the programs take turns, and the medians are compared.
//
//   startbench SETUPFOLDER    the launcher of SETUPFOLDER, with its definition file and packages
#include "BenchTiming.h"
#include "TestSupport.h"
#include "platform/Owned.h"

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
    const wchar_t* name;
    std::wstring commandLine;
    const wchar_t* windowClass;
    const wchar_t* windowTitle; // any title when null
    std::function<void(HWND)> close;
};

// Milliseconds from just before the process is created until its window is visible; nothing
// when the process ends first or the window does not show within 30 seconds.
std::optional<double> TimeToWindow(const Program& program, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = program.commandLine;
    const double start = bench::NowMs();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started))
        return std::nullopt;
    const TZelHandle process(started.hProcess);
    const TZelHandle thread(started.hThread);
    std::optional<double> elapsed;
    // The wait on the process is the polling interval: it also notices an early end.
    while (!elapsed && WaitForSingleObject(process.Get(), 1) == WAIT_TIMEOUT &&
           bench::NowMs() - start < 30000) {
        const HWND window = FindWindowW(program.windowClass, program.windowTitle);
        if (window && IsWindowVisible(window)) {
            elapsed = bench::NowMs() - start;
            program.close(window);
        }
    }
    if (WaitForSingleObject(process.Get(), kEndWaitMs) == WAIT_TIMEOUT)
        TerminateProcess(process.Get(), 1);
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

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: startbench SETUPFOLDER\n");
        return 2;
    }
    const std::wstring setupFolder = argv[1];
    // The install logs of the runs stay out of the user's temporary folder.
    const testing_support::ScratchFolder temp;
    const testing_support::ScopedTempFolder childTemp(temp.Path());
    const std::wstring bin = testing_support::ProgramFolder();
    std::vector<Program> programs = {
        {L"launcher", Quoted(setupFolder + L"\\PagrionSetup.exe"), L"TOrnOVISetup000", nullptr,
         PressDefaultButton},
        {L"minimal window", Quoted(bin + L"minimalwindow.exe"), L"PagrionMinimalWindow", nullptr,
         PostClose},
        {L"minimal themed window", Quoted(bin + L"minimalthemedwindow.exe"),
         L"PagrionMinimalWindow", nullptr, PostClose},
    };
    const std::wstring peer = bin + L"peerlanguagedialog.exe";
    const bool withPeer = testing_support::Exists(peer);
    if (withPeer)
        programs.push_back(
            {L"peer installer", Quoted(peer), L"#32770", L"Installer Language", PostClose});

    std::vector<std::vector<double>> times(programs.size());
    // The first round only warms the caches; then the programs take turns.
    for (int run = 0; run <= kRuns; ++run) {
        for (size_t i = 0; i < programs.size(); ++i) {
            const auto elapsed = TimeToWindow(programs[i], setupFolder);
            if (!elapsed) {
                std::fwprintf(stderr, L"startbench: the %ls showed no window\n", programs[i].name);
                return 1;
            }
            if (run > 0)
                times[i].push_back(*elapsed);
        }
    }
    std::vector<double> medians;
    for (const std::vector<double>& programTimes : times)
        medians.push_back(bench::Median(programTimes));
    std::printf("start to window shown (medians of %d, taking turns): launcher %.1f ms, minimal "
                "window %.1f ms, minimal themed window %.1f ms",
                kRuns, medians[0], medians[1], medians[2]);
    if (withPeer)
        std::printf(", peer installer's language dialog %.1f ms", medians[3]);
    std::printf("\n  launcher / minimal window %.2f (target at most 1.25)\n",
                medians[0] / medians[1]);
    // The themed controls' share is the same for any window that has them; what is above this
    // floor is the launcher's own work.
    std::printf("  launcher / minimal themed window %.2f (the themed controls alone: %.1f ms)\n",
                medians[0] / medians[2], medians[2] - medians[1]);
    if (withPeer)
        std::printf("  launcher / peer installer %.2f (target at most 0.8)\n",
                    medians[0] / medians[3]);
    else
        std::printf("  no peer installer: NSIS was not installed when the benchmarks were built\n");
    return 0;
}
