// Starts a program with CreateProcessW, waits for it and reports its full 32-bit exit code,
// which a Linux shell under Wine would only see cut to 8 bits.
//
//   runwait [--timeout=MS] PROGRAM [ARGUMENTS...]
//
// Prints "exit code: N" and ends with 0; ends with 1 when the program could not be started or
// did not end in time.
#include "TestSupport.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// Quotes an argument for CreateProcessW when it holds blanks or quotes.
std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    for (wchar_t c : argument)
        quoted += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
    return quoted + L"\"";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int first = 1;
    uint32_t timeoutMs = 60000;
    if (argc > 1 && std::wcsncmp(argv[1], L"--timeout=", 10) == 0) {
        timeoutMs = static_cast<uint32_t>(std::wcstoul(argv[1] + 10, nullptr, 10));
        first = 2;
    }
    if (first >= argc) {
        std::fputs("usage: runwait [--timeout=MS] PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    std::wstring commandLine;
    for (int i = first; i < argc; ++i)
        commandLine += (i > first ? L" " : L"") + QuoteArgument(argv[i]);

    const auto result = testing_support::RunAndWait(commandLine, L"", timeoutMs);
    if (!result.started) {
        std::fputs("runwait: the program could not be started\n", stderr);
        return 1;
    }
    if (!result.finished) {
        std::fputs("runwait: the program did not end in time and was stopped\n", stderr);
        return 1;
    }
    std::printf("exit code: %lu\n", static_cast<unsigned long>(result.exitCode));
    return 0;
}
