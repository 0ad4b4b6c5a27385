// The test doubles behave as their descriptions say: the converter records, holds its mutex,
// becomes idle and reports as steered; the engineering tool fills and reads the temporary key.
#include "EngTool.h"
#include "SavedRegistryValue.h"
#include "TestSupport.h"
#include "setup/ProductPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using testing_support::CopyTo;
using testing_support::ProgramFolder;
using testing_support::ReadBytes;
using testing_support::ScratchFolder;
using testing_support::Utf8;
using testing_support::WriteBytes;

namespace {

constexpr wchar_t kConverterMutex[] = L"TOrnLXDBConvert000";

// A copy of the converter double in its own folder, with a steering file beside it.
class ConverterCopy {
public:
    explicit ConverterCopy(const std::string& steering) : path_(folder_ / L"lxdbconv.exe") {
        CopyTo(ProgramFolder() + L"lxdbconv.exe", path_);
        WriteBytes(path_ + L".steer.txt", steering);
    }
    const std::wstring& Path() const { return path_; }
    std::string Started() const { return ReadBytes(path_ + L".started.txt"); }

private:
    ScratchFolder folder_;
    std::wstring path_;
};

// A window of this process that collects the converter's messages.
class ReportWindow {
public:
    ReportWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr)) {}
    ~ReportWindow() { DestroyWindow(window_); }

    HWND Handle() const { return window_; }
    std::wstring HexHandle() const {
        wchar_t text[16];
        std::swprintf(text, 16, L"%X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(window_)));
        return text;
    }
    // The (code, second parameter) pairs posted so far, in order.
    std::vector<std::pair<WPARAM, LPARAM>> TakeReports() const {
        std::vector<std::pair<WPARAM, LPARAM>> reports;
        MSG message;
        const UINT id = ConverterResultMessage();
        while (PeekMessageW(&message, window_, id, id, PM_REMOVE))
            reports.emplace_back(message.wParam, message.lParam);
        return reports;
    }

private:
    HWND window_;
};

bool ConverterMutexExists() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kConverterMutex);
    if (!mutex)
        return false;
    CloseHandle(mutex);
    return true;
}

TEST(ConverterDoubleTest, RecordsEveryStartAndReportsAsSteeredToTheGivenWindow) {
    const ScratchFolder user;
    const SavedRegistryValue userPath(HKEY_CURRENT_USER, L"Software\\HALDRIX\\Pagrion Viewer",
                                      L"UserPath");
    userPath.Set(user.Path());
    const std::wstring manual = L"C:\\Manuals\\Gu\u00EDa 1.pdf";
    const ConverterCopy converter("# one manual, three reports\r\n"
                                  "file C:\\Manuals\\Gu\xC3\xAD"
                                  "a 1.pdf\r\n"
                                  "post 6 3\r\n"
                                  "create: post 99 0\r\n"
                                  "regsubp: post 2 3 1\r\n"
                                  "\r\n"
                                  "post 20 3\r\n");
    const ReportWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    const std::wstring create = L"\"-m:create\"";
    const std::wstring regsubp =
        L"\"-m:regsubp\" \"-h:" + window.HexHandle() + L"\" \"-e:C:\\Tools\\\"";

    EXPECT_EQ(testing_support::RunAndWait(L"\"" + converter.Path() + L"\" " + create).exitCode, 0u);
    EXPECT_EQ(testing_support::RunAndWait(L"\"" + converter.Path() + L"\" " + regsubp).exitCode,
              0u);

    const std::vector<std::pair<WPARAM, LPARAM>> expected = {
        {6, 3}, {2, MAKELPARAM(3, 1)}, {20, 3}};
    EXPECT_EQ(window.TakeReports(), expected);
    wchar_t exchangeName[32];
    std::swprintf(exchangeName, 32, L"RP%08X.eres",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(window.Handle())));
    EXPECT_EQ(ReadBytes(user / L"regepub\\" + exchangeName), "\xEF\xBB\xBF" + Utf8(manual));
    EXPECT_EQ(converter.Started(), Utf8(create + L"\r\n" + regsubp + L"\r\n"));
}

TEST(ConverterDoubleTest, HoldsItsMutexFromInputIdleUntilItEnds) {
    const ConverterCopy converter("wait 3000\r\n");
    testing_support::ChildProcess child(L"\"" + converter.Path() + L"\" \"-m:create\"");
    ASSERT_TRUE(child.Started());
    EXPECT_TRUE(child.InputIdle(10000));

    EXPECT_EQ(converter.Started(), "\"-m:create\"\r\n");
    EXPECT_TRUE(ConverterMutexExists());
    EXPECT_TRUE(child.Wait(20000).finished);
    EXPECT_FALSE(ConverterMutexExists());
}

TEST(EngineeringToolDoubleTest, LeavesExactlyTheGivenParametersAndReadsTheResults) {
    constexpr wchar_t kSilentKey[] = L"Software\\HALDRIX\\Pagrion ViewerTMP";
    std::vector<std::unique_ptr<SavedRegistryValue>> saved;
    for (const wchar_t* name :
         {L"Language", L"InstallPath", L"ContentsPath", L"Error", L"Reboot", L"Install"})
        saved.push_back(std::make_unique<SavedRegistryValue>(HKEY_LOCAL_MACHINE, kSilentKey, name));
    WriteRegString(HKEY_LOCAL_MACHINE, kSilentKey, L"ContentsPath", L"C:\\Old", false);
    WriteRegString(HKEY_LOCAL_MACHINE, kSilentKey, L"Error", L"5", false);
    // The package double stands in for the launcher: it records its arguments and ends with 3010.
    const ScratchFolder folder;
    const std::wstring launcher = folder / L"setup_exit=3010.exe";
    CopyTo(ProgramFolder() + L"fakepackage.exe", launcher);

    engtool::SilentParameters parameters;
    parameters.Language = L"ja";
    parameters.InstallPath = L"";
    const engtool::SilentOutcome outcome = engtool::RunSilentSetup(launcher, parameters);

    EXPECT_TRUE(outcome.Started && outcome.Finished);
    EXPECT_NE(ReadBytes(folder / L"setup_exit=3010.started.txt").find("arguments=/SET\r\n"),
              std::string::npos);
    std::wstring value;
    EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, kSilentKey, L"Language", value) &&
                value == L"ja");
    EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, kSilentKey, L"InstallPath", value) &&
                value.empty());
    EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, kSilentKey, L"ContentsPath", value));
    EXPECT_EQ(engtool::FormatOutcome(outcome),
              L"exit code: 3010\nError (none)\nReboot (none)\nInstall (none)\n");
}

} // namespace
