#include "EngTool.h"

#include "TestSupport.h"
#include "platform/Registry.h"
#include "setup/SharedNames.h"

#include <windows.h>

namespace engtool {
namespace {

// Writes a value as the caller means it: an empty text is stored as an empty string value, which
// the launcher reads as present but empty.
void WriteParameter(const wchar_t* name, const std::optional<std::wstring>& value) {
    if (!value) {
        DeleteRegValue(HKEY_LOCAL_MACHINE, kSilentKey, name, false);
    } else if (!value->empty()) {
        WriteRegString(HKEY_LOCAL_MACHINE, kSilentKey, name, *value, false);
    } else {
        // Empty texts are not written by WriteRegString (it deletes the value instead).
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSilentKey, 0, nullptr, 0,
                            KEY_SET_VALUE | kRegistryView, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        const TZelRegKey owned(key);
        RegSetValueExW(owned.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L""),
                       sizeof(wchar_t));
    }
}

std::optional<std::wstring> ReadResult(const wchar_t* name) {
    std::wstring value;
    if (!ReadRegString(HKEY_LOCAL_MACHINE, kSilentKey, name, value))
        return std::nullopt;
    return value;
}

std::wstring ResultLine(const wchar_t* name, const std::optional<std::wstring>& value) {
    return value ? std::wstring(name) + L"=" + *value + L"\n" : std::wstring(name) + L" (none)\n";
}

} // namespace

SilentOutcome RunSilentSetup(const std::wstring& setupPath, const SilentParameters& parameters,
                             uint32_t timeoutMs) {
    PrepareSilentRun(parameters);
    return RunPreparedSetup(setupPath, timeoutMs);
}

void PrepareSilentRun(const SilentParameters& parameters) {
    WriteParameter(L"Language", parameters.Language);
    WriteParameter(L"InstallPath", parameters.InstallPath);
    WriteParameter(L"ContentsPath", parameters.ContentsPath);
    for (const wchar_t* result : {L"Error", L"Reboot", L"Install"})
        DeleteRegValue(HKEY_LOCAL_MACHINE, kSilentKey, result, false);
}

SilentOutcome RunPreparedSetup(const std::wstring& setupPath, uint32_t timeoutMs) {
    return OutcomeOf(testing_support::RunAndWait(L"\"" + setupPath + L"\" /SET", L"", timeoutMs));
}

SilentOutcome OutcomeOf(const testing_support::ChildResult& child) {
    SilentOutcome outcome;
    outcome.Started = child.started;
    outcome.Finished = child.finished;
    outcome.ExitCode = child.exitCode;
    outcome.Error = ReadResult(L"Error");
    outcome.Reboot = ReadResult(L"Reboot");
    outcome.Install = ReadResult(L"Install");
    return outcome;
}

std::wstring FormatOutcome(const SilentOutcome& outcome) {
    std::wstring text = !outcome.Started ? L"not started\n"
                        : !outcome.Finished
                            ? L"timed out\n"
                            : L"exit code: " + std::to_wstring(outcome.ExitCode) + L"\n";
    return text + ResultLine(L"Error", outcome.Error) + ResultLine(L"Reboot", outcome.Reboot) +
           ResultLine(L"Install", outcome.Install);
}

} // namespace engtool
