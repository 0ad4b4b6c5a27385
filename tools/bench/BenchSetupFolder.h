// The folder the launcher benchmarks run in: the launcher with a definition file of two
// languages, English and Japanese, whose packages are copies of the package double (they end at
// once). The folder is also the children's temporary folder, so the install log stays in it.
#pragma once

#include "TestSupport.h"
#include "TwoLanguageDefinition.h"

#include <string>

namespace bench {

class SetupFolder {
public:
    SetupFolder() : temp_(folder_.Path()) {
        using namespace testing_support;
        CopyTo(ProgramFolder() + L"PagrionSetup.exe", Launcher());
        WriteBytes(folder_ / L"PagrionSetup.dat", kTwoLanguageDefinition);
        for (const wchar_t* package : {L"pkg_en.exe", L"pkg_ja.exe"})
            CopyTo(ProgramFolder() + L"fakepackage.exe", folder_ / package);
    }

    const std::wstring& Path() const { return folder_.Path(); }
    std::wstring Launcher() const { return folder_ / L"PagrionSetup.exe"; }

private:
    testing_support::ScratchFolder folder_;
    testing_support::ScopedTempFolder temp_;
};

} // namespace bench
