// The calling engineering tool of a silent run: it leaves the run's parameters in the temporary
// key HKLM "Software\HALDRIX\Pagrion ViewerTMP", starts the launcher with "/SET", waits for it and
// reads back its exit code and its result values. Used by the program engtool.exe and directly
// by the tests.
#pragma once

#include "TestSupport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace engtool {

// The parameter values of a run. A value left out is deleted from the key before the start; a
// value given, also an empty one, is written.
struct SilentParameters {
    std::optional<std::wstring> Language;
    std::optional<std::wstring> InstallPath;
    std::optional<std::wstring> ContentsPath;
};

// What the caller sees after the run. A result value is empty (nullopt) when the launcher left
// none: the tool deletes the old results before the start.
struct SilentOutcome {
    bool Started = false;  // the launcher's process was created
    bool Finished = false; // it ended within the time limit (else it was stopped)
    uint32_t ExitCode = 0; // the full 32-bit exit code
    std::optional<std::wstring> Error;
    std::optional<std::wstring> Reboot;
    std::optional<std::wstring> Install;
};

// Runs "<setupPath> /SET" with the given parameters and waits at most timeoutMs for its end:
// PrepareSilentRun, then RunPreparedSetup.
SilentOutcome RunSilentSetup(const std::wstring& setupPath, const SilentParameters& parameters,
                             uint32_t timeoutMs = 120000);

// The two halves of a run, for a caller that changes the key in between: writes the parameters
// and deletes the old results; runs the launcher and reads back what it left.
void PrepareSilentRun(const SilentParameters& parameters);
SilentOutcome RunPreparedSetup(const std::wstring& setupPath, uint32_t timeoutMs = 120000);
// What the caller sees of a launcher run that was started and waited for in another way.
SilentOutcome OutcomeOf(const testing_support::ChildResult& child);

// The outcome as lines "exit code: N", then "Error=...", "Reboot=...", "Install=..." (a value the
// launcher left out reads "Error (none)"); "not started" or "timed out" replaces the exit code.
std::wstring FormatOutcome(const SilentOutcome& outcome);

} // namespace engtool
