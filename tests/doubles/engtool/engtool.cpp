// The calling engineering tool of a silent run, as a program for trying a run by hand:
//
//   engtool SETUP_PATH [Language=CODE] [InstallPath=FOLDER] [ContentsPath=FOLDER]
//
// Writes the given values (an empty one too; the others are deleted) into the temporary key,
// runs "SETUP_PATH /SET" (an option needs its prefix), waits for it and prints its exit code and
// its "Error", "Reboot" and "Install" values, one per line. Ends with 0 when the launcher ran to
// its end, else 1.
#include "EngTool.h"
#include "TestSupport.h"

#include <cstdio>
#include <string>

namespace {

// Takes "Name=value" into the parameter of that name; false for anything else.
bool TakeParameter(const std::wstring& argument, engtool::SilentParameters& parameters) {
    const size_t equals = argument.find(L'=');
    if (equals == std::wstring::npos)
        return false;
    const std::wstring name = argument.substr(0, equals);
    std::wstring value = argument.substr(equals + 1);
    if (name == L"Language")
        parameters.Language = std::move(value);
    else if (name == L"InstallPath")
        parameters.InstallPath = std::move(value);
    else if (name == L"ContentsPath")
        parameters.ContentsPath = std::move(value);
    else
        return false;
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    engtool::SilentParameters parameters;
    bool usable = argc >= 2;
    for (int i = 2; i < argc && usable; ++i)
        usable = TakeParameter(argv[i], parameters);
    if (!usable) {
        std::fputs("usage: engtool SETUP_PATH [Language=CODE] [InstallPath=FOLDER] "
                   "[ContentsPath=FOLDER]\n",
                   stderr);
        return 2;
    }
    const engtool::SilentOutcome outcome = engtool::RunSilentSetup(argv[1], parameters);
    std::fputs(testing_support::Utf8(engtool::FormatOutcome(outcome)).c_str(), stdout);
    return outcome.Finished ? 0 : 1;
}
