// Wall time of a silent run through the engineering tool, with a package that ends at once and
// no converter (no viewer program is registered), against the waits the run makes by design:
// the one-second pause of the manuals step, and the package's run, which the launcher waits out
// (measured alone: the package double started the same way, with "/S /v/qn"). The search for
// the progress window ends as soon as it is found, and at the end of the run the window has
// long been shown; the waits for the converter do not arise.
#include "BenchSetupFolder.h"
#include "BenchTiming.h"
#include "EngTool.h"
#include "SavedRegistryValue.h"
#include "platform/Owned.h"
#include "setup/SharedNames.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 7;
constexpr double kPauseMs = 1000;
constexpr wchar_t kLauncherFileName[] = L"PagrionSetup.exe";

// Is a copy of the launcher running, in the bench's folder or anywhere else?
bool LauncherRunning() {
    const TZelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    if (!snapshot.Valid() || !Process32FirstW(snapshot.Get(), &entry))
        return false;
    do {
        if (_wcsicmp(entry.szExeFile, kLauncherFileName) == 0)
            return true;
    } while (Process32NextW(snapshot.Get(), &entry));
    return false;
}

// The progress process of the previous run outlives the launcher: it closes its window, writes
// its last log line and ends. A run that started meanwhile would share the processors with it,
// and a folder removed meanwhile would keep the launcher's file, which is in use until then.
void WaitForLauncherCopiesToEnd() {
    for (int tries = 0; tries < 500 && LauncherRunning(); ++tries)
        Sleep(10);
}

// Milliseconds from the start of a program until its end, or nothing when it does not end.
std::optional<double> RunTime(const std::wstring& commandLine, const std::wstring& folder) {
    const double start = bench::NowMs();
    const testing_support::ChildResult result = testing_support::RunAndWait(commandLine, folder);
    if (!result.finished)
        return std::nullopt;
    return bench::NowMs() - start;
}

} // namespace

int wmain() {
    const bench::SetupFolder folder;
    SavedRegistryValue appMain{HKEY_LOCAL_MACHINE, kViewerKey, L"AppMain"};
    SavedRegistryValue userAppMain{HKEY_CURRENT_USER, kViewerKey, L"AppMain"};
    SavedRegistryValue installLang{HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang"};
    SavedRegistryValue installed{HKEY_LOCAL_MACHINE, kViewerKey, L"Install"};
    for (const SavedRegistryValue* value : {&appMain, &userAppMain, &installLang, &installed})
        value->Set(L"");

    engtool::SilentParameters parameters;
    parameters.Language = L"en";
    parameters.InstallPath = folder.Path() + L"Viewer";
    std::vector<double> packageTimes;
    for (int run = 0; run <= kRuns; ++run) {
        const auto elapsed =
            RunTime(L"\"" + folder.Path() + L"pkg_en.exe\" /S /v/qn", folder.Path());
        if (!elapsed) {
            std::fwprintf(stderr, L"silentbench: the package double did not end\n");
            return 1;
        }
        if (run > 0)
            packageTimes.push_back(*elapsed);
    }
    const double packageMs = bench::Median(packageTimes);

    std::vector<double> times;
    // The first run only warms the caches.
    for (int run = 0; run <= kRuns; ++run) {
        WaitForLauncherCopiesToEnd();
        const double start = bench::NowMs();
        const engtool::SilentOutcome outcome =
            engtool::RunSilentSetup(folder.Launcher(), parameters);
        const double elapsed = bench::NowMs() - start;
        if (!outcome.Finished || outcome.ExitCode != 0) {
            std::fwprintf(stderr, L"silentbench: the silent run failed: %ls\n",
                          engtool::FormatOutcome(outcome).c_str());
            return 1;
        }
        if (run > 0)
            times.push_back(elapsed);
    }
    const double median = bench::Median(times);
    const double designedWaits = kPauseMs + packageMs;
    std::printf("silent run (median of %d): %.0f ms, designed waits %.0f ms (pause %.0f ms + the "
                "package's run %.0f ms), ratio %.3f (target at most 1.1)\n",
                kRuns, median, designedWaits, kPauseMs, packageMs, median / designedWaits);
    // For reading the ratio: the launcher is itself a program that starts and ends, which under
    // Wine costs about as much as the package double's whole run.
    std::printf("  the launcher's own start and end, taken as long as the package's run: ratio "
                "without it %.3f\n",
                (median - packageMs) / designedWaits);
    WaitForLauncherCopiesToEnd();
    return 0;
}
