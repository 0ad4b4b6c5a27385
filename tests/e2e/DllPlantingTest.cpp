// DLLs left in the launcher's folder under the names of Windows DLLs are never loaded, neither
// at the start nor when the launcher reads the package's version, shows its windows and starts
// the package, also with that folder as the current one. A program importing those DLLs the usual
// way, started from the same folder, does load them: the folder is searched as Windows searches
// a downloads folder.
//
// Wine prefers its own builtin DLLs to DLLs beside a program. For the programs of these tests it
// is told to take DLLs found on the search path first ("native,builtin"), as Windows does with a
// DLL that is not a known DLL. For the launcher that holds for shell32 and comctl32 only: Wine's
// own user32 imports version.dll, so told so, Wine would load a version.dll beside any program
// that uses windows while it starts the process, before the program runs. Windows' user32 is a
// known DLL, whose imports never come from a program's folder. The launcher's reading of the
// package's version is still checked to work with the search restricted.
//
// The launcher runs under a name of its own here, so that the DLL order set for it reaches no
// other test's launcher, also when a stopped test could not take it back.
#include "SilentRunFixture.h"

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace testing_support;

const wchar_t* const kPlantedNames[] = {L"version.dll", L"shell32.dll", L"comctl32.dll"};
// Under Wine a planted version.dll can never reach the launcher (see above), so that a check of
// it could not fail: only these are checked for the launcher.
const wchar_t* const kPlantedNamesCheckedForTheLauncher[] = {L"shell32.dll", L"comctl32.dll"};
constexpr wchar_t kLauncherName[] = L"PlantingSetup";

// Wine's DLL order for one program, as the prefix's per-program settings give it: the named
// DLLs (without extension) are taken from the search path first.
class NativeDllsFirst {
public:
    NativeDllsFirst(const std::wstring& program, std::initializer_list<const wchar_t*> dlls) {
        const std::wstring key = L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides";
        for (const wchar_t* dll : dlls) {
            values_.push_back(std::make_unique<SavedRegistryValue>(HKEY_CURRENT_USER, key, dll));
            values_.back()->Set(L"native,builtin");
        }
    }

private:
    std::vector<std::unique_ptr<SavedRegistryValue>> values_;
};

class DllPlanting : public SilentRunFixture {
protected:
    DllPlanting() : SilentRunFixture(kLauncherName) {
        for (const wchar_t* name : kPlantedNames)
            CopyTo(ProgramFolder() + L"planteddll.dll", setupFolder / name);
        CopyTo(ProgramFolder() + L"systemimports.exe", setupFolder / L"systemimports.exe");
    }

    // The programs that loaded the planted copy of the DLL, one line each.
    std::string LoadedBy(const std::wstring& name) const {
        return ReadBytes(setupFolder / (name + L".loaded"));
    }
    void ExpectNoPlantedDllLoaded() const {
        for (const wchar_t* name : kPlantedNamesCheckedForTheLauncher)
            EXPECT_EQ(LoadedBy(name), "") << Utf8(name);
    }
    // What the packages recorded of their starts; a package started without waiting for its
    // end is given a few seconds to write it.
    std::string StartedPackages() const {
        std::string starts;
        for (int tries = 0; tries < 500 && starts.empty(); ++tries, Sleep(10))
            starts = PackageStarts(L"en") + PackageStarts(L"ja");
        return starts;
    }

    NativeDllsFirst launcherOrder{std::wstring(kLauncherName) + L".exe", {L"shell32", L"comctl32"}};
    NativeDllsFirst importerOrder{L"systemimports.exe", {L"version", L"shell32", L"comctl32"}};
    ScopedCurrentFolder current{setupFolder.Path()};
};

TEST_F(DllPlanting, AProgramImportingTheDllsLoadsThePlantedCopies) {
    const ChildResult result = RunAndWait(L"\"" + (setupFolder / L"systemimports.exe") + L"\"");
    ASSERT_TRUE(result.finished);
    for (const wchar_t* name : kPlantedNames)
        EXPECT_NE(LoadedBy(name).find("systemimports.exe"), std::string::npos) << Utf8(name);
}

TEST_F(DllPlanting, SilentRunLoadsNoPlantedDll) {
    const engtool::SilentOutcome outcome = Run(Parameters(L"en"));
    ASSERT_TRUE(outcome.Finished);
    EXPECT_EQ(outcome.ExitCode, 0u);

    ExpectNoPlantedDllLoaded();
    // The version was read with the search restricted, and the progress process showed its
    // window with the bar of the common controls: the converter was told its handle.
    bool versionRead = false;
    for (const LogLine& line : Log())
        versionRead = versionRead || line.message == "NewInstallVersion=\"2.5.0.17\"";
    EXPECT_TRUE(versionRead);
    const auto converter = ConverterStarts();
    ASSERT_EQ(converter.size(), 2u);
    EXPECT_EQ(converter[1].find("\"-h:0\""), std::string::npos) << converter[1];
    EXPECT_NE(StartedPackages(), "");
}

// The selection window of the launcher once it shows.
HWND SelectionWindow(const ChildProcess& setup) {
    const HWND window = WindowOfProcess(setup.Id(), L"TOrnOVISetup000");
    return window && IsWindowVisible(window) ? window : nullptr;
}

TEST_F(DllPlanting, SelectionWindowRunLoadsNoPlantedDll) {
    ChildProcess setup(L"\"" + LauncherPath() + L"\"");
    HWND window = nullptr;
    for (int tries = 0; tries < 3000 && !window && !setup.Ended(10); ++tries)
        window = SelectionWindow(setup);
    ASSERT_NE(window, nullptr);
    // Press the start button as Enter does: the window names it as its default button.
    const auto defaultId = static_cast<DWORD>(SendMessageW(window, DM_GETDEFID, 0, 0));
    ASSERT_EQ(HIWORD(defaultId), DC_HASDEFID);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(LOWORD(defaultId), BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, LOWORD(defaultId))));

    const ChildResult result = setup.Wait();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
    ExpectNoPlantedDllLoaded();
    EXPECT_NE(StartedPackages(), "");
}

} // namespace
