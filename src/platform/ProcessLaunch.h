// Starting other programs: created directly or through the shell, optionally waited for until
// they are ready for input and until they end. Every wait polls every 2 ms and dispatches the
// thread's window messages in between, so the setup's own windows stay live; handlers of those
// messages may therefore run in the middle of a launch call.
#pragma once

#include "platform/Owned.h"

#include <windows.h>

#include <cstdint>
#include <string>

// How RunProgram starts a program; any other value counts as lmCreateProcess.
enum TZelLaunchMode : std::uint8_t {
    lmCreateProcess = 0, // CreateProcessW
    lmShellOpen = 1,     // the shell's verb "open"
    lmShellElevated = 2, // the shell's verb "runas" (where the platform knows it)
};

// Starts FileName with Params (FileName is trimmed, unquoted and brought into its long form; an
// empty FileName makes Params the whole command line). The program runs in its own folder. The
// caller owns the handles in processInfo, which is all zero when nothing was started.
bool StartProcess(const std::wstring& fileName, const std::wstring& params, int32_t showCmd,
                  bool waitForIdle, PROCESS_INFORMATION& processInfo);

// StartProcess without the process information.
bool StartProgram(const std::wstring& fileName, const std::wstring& params, int32_t showCmd,
                  bool waitForIdle);

// StartProgram without waiting for input idle, made on a thread of its own, so that the caller
// goes on while the system sets the new process up: under Wine, CreateProcessW comes back only
// once the new process is ready to run, which takes longer than many a caller's next steps. The
// start is done when the object ends, whose wait handles no window messages: it is meant for a
// caller that has no window of its own. When no thread can be made, the start is made at once on
// the caller's thread. The result is not told.
class TZelBackgroundStart {
public:
    TZelBackgroundStart(const std::wstring& fileName, const std::wstring& params, int32_t showCmd);
    ~TZelBackgroundStart();
    TZelBackgroundStart(const TZelBackgroundStart&) = delete;
    TZelBackgroundStart& operator=(const TZelBackgroundStart&) = delete;

private:
    static DWORD WINAPI Start(void* self) noexcept;

    const std::wstring fileName_;
    const std::wstring params_;
    const int32_t showCmd_;
    TZelHandle thread_;
};

// Starts a program in the given mode and answers whether it started. Each place given receives
// a value, 0 at first: processHandle the started process (owned by the caller from then on; may
// stay 0 after a shell launch), shellResult the shell's instance value (32 or less is an error),
// exitCode the program's exit code once it has ended. Asking for the exit code means waiting
// for input idle and then for the end, whatever waitForIdle says.
bool RunProgram(const std::wstring& fileName, const std::wstring& params, int32_t showCmd,
                bool waitForIdle, TZelLaunchMode launchMode, HWND ownerWindow,
                HANDLE* processHandle = nullptr, uint32_t* shellResult = nullptr,
                uint32_t* exitCode = nullptr);

// The shell verb of a shell launch mode on a platform with the given major version: elevation
// exists from version 6 on.
const wchar_t* ShellVerb(TZelLaunchMode launchMode, DWORD majorVersion);
