// The installation run: checks the chosen language's package, then starts it for the user
// (normal mode) or runs it unattended beside a progress window and registers the manuals
// (silent mode).
#include "setup/ornLxSetup.h"

#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "platform/Owned.h"
#include "platform/Paths.h"
#include "platform/ProcessLaunch.h"
#include "setup/ExitCodes.h"
#include "setup/SharedNames.h"
#include "strings/ZelStrUtl.h"

#include <windows.h>

namespace {

constexpr wchar_t kSilentPackageParameters[] = L"/S /v/qn";
constexpr wchar_t kMissingDataCaption[] = L"Pagrion Setup";
constexpr UINT kErrorBoxFlags = MB_ICONHAND | MB_SETFOREGROUND | MB_TOPMOST | MB_OK;
constexpr DWORD kProgressWindowSearchMs = 2000;
constexpr DWORD kPollMs = 1;

void ShowError(const std::wstring& text, const std::wstring& caption) {
    ShowMessageBox(nullptr, text, caption, kErrorBoxFlags);
}

} // namespace

std::wstring GetDataNotFoundMessage(uint16_t languageValue) {
    const wchar_t* text;
    switch (languageValue) {
    case 0x0004:
        text = L"无法找到安装Pagrion Viewer所需的数据。程序终止。\\n为了正常启动，再次下载Pagrion "
               L"Viewer的安装程序并重试流程。";
        break;
    case 0x0404:
        text =
            L"找不到安裝Pagrion Viewer所需的資料。程式已終止。\\n若要正常啟動，請再次下載Pagrion "
            L"Viewer安裝程式，然後重新進行此程序。";
        break;
    case 0x0011:
        text =
            L"Pagrion Viewerのセットアップに必要なデータが見つからないためプログラムを終了します。"
            L"\\n正常に起動するためには、Pagrion "
            L"Viewerのセットアッププログラムをダウンロードし直してから実行してください。";
        break;
    case 0x0012:
        text = L"Pagrion Viewer를 설치하기 위해 필요한 데이터를 찾을 수 없습니다. 프로그램이 "
               L"종료되었습니다.\\n정상적으로 시작하려면 Pagrion Viewer의 설치 프로그램을 다시 "
               L"다운로드한 후 이 과정을 다시 시작하십시오.";
        break;
    default:
        text = L"The data required for the setup of Pagrion Viewer cannot be found. The program "
               L"is terminated.\\nFor the normal startup, download the setup program of Pagrion "
               L"Viewer again and then retry the process.";
        break;
    }
    return ReplaceAllText(text, L"\\n", L"\r\n");
}

void TLxSetupManager::RunInstallation() {
    if (SilentMode && !ReadSilentParameters()) {
        ExitCode = ecSilentParametersMissing;
        WriteLog(L"EngTool Setup Error ExitCode=" + DecimalText(ExitCode));
        return;
    }
    TLxSetupLanguageItem* language = CurrentLanguage();
    if (!language || !(LanguageConfirmed || SilentMode)) {
        if (LanguageConfirmed || SilentMode) {
            ExitCode = ecNoLanguage;
        } else if (Languages->Count() == 0) {
            ExitCode = ecNoLanguage;
            ShowError(GetDataNotFoundMessage(UserLanguageID()), kMissingDataCaption);
        }
        // Otherwise the selection window was closed without a choice: nothing to do.
        return;
    }
    const std::wstring package = language->SetupFile;
    if (!FileExistsChecked(package)) {
        ExitCode = ecPackageMissing;
        if (!SilentMode)
            ShowError(language->GetMessage(msgPackageMissing), language->Title);
        return;
    }
    NewVersion = TZelFile::GetFileVersionText(package);
    WriteLog(L"NewInstallVersion=" + Quoted(NewVersion));
    if (SilentMode)
        RunSilentInstallation(package);
    else
        StartInstallation(*language);
}

void TLxSetupManager::StartInstallation(const TLxSetupLanguageItem& language) {
    WriteLog(L"NormalMode");
    DeleteSilentFile();
    // The package is left to the user: started, not waited for.
    RunSucceeded = RunProgram(GetRunnableSetupPath(language.SetupFile), L"", SW_SHOWDEFAULT, true,
                              lmCreateProcess, nullptr);
    if (!RunSucceeded) {
        ExitCode = ecPackageDidNotStart;
        ShowError(language.GetMessage(msgPackageDidNotStart), language.Title);
    }
}

void TLxSetupManager::RunSilentInstallation(const std::wstring& package) {
    WriteLog(L"ShowProgressDialog");
    {
        const TZelBackgroundStart progressStart = StartProgressProcess();
        RunPackageAndManuals(package);
    }
    CloseProgressWindow();
    WriteLog(L"HideProgressDialog");
}

// The progress window is closed after this whatever went wrong in it; the exit code tells the
// rest.
void TLxSetupManager::RunPackageAndManuals(const std::wstring& package) noexcept try {
    if (NewVersion.empty())
        WriteLog(L"NewInstallVersion unreadable: the package runs and decides itself");
    if (IsInstallNeeded(NewVersion)) {
        RunPackageUnattended(package);
    } else {
        RunSucceeded = true;
        ExitCode = ecDone;
    }
    ProcessIncludedManuals();
} catch (...) {
}

void TLxSetupManager::RunPackageUnattended(const std::wstring& package) {
    const bool admin = HasAdminRights();
    WriteLog(std::wstring(admin ? L"Start InstallShiled Setup (Admin)="
                                : L"Start InstallShiled Setup (User)=") +
             package + L" " + kSilentPackageParameters);
    uint32_t exitCode = 0;
    HANDLE started = nullptr;
    RunSucceeded = RunProgram(GetRunnableSetupPath(package), kSilentPackageParameters,
                              SW_SHOWDEFAULT, true, admin ? lmCreateProcess : lmShellElevated,
                              nullptr, &started, nullptr, &exitCode);
    const TZelHandle process(started);
    ExitCode = exitCode;
    WriteLog(std::wstring(RunSucceeded ? L"InstallShield Setup Success ExitCode="
                                       : L"InstallShield Setup Error ExitCode=") +
             DecimalText(ExitCode));
}

// The package's run does not wait until the system has set the progress process up.
TZelBackgroundStart TLxSetupManager::StartProgressProcess() const {
    std::wstring parameters;
    if (const TLxSetupLanguageItem* language = CurrentLanguage())
        parameters = L"\"-LANG:" + language->Code + L"\" ";
    parameters += L"-OVWPROGRESS";
    return {GetProgramFileName(), parameters, SW_SHOW};
}

HWND FindProgressWindow() {
    // The window shows in another process: searched for again every millisecond, and whenever a
    // message of this one comes.
    HWND window = nullptr;
    PumpMessagesUntil(
        [&] { return (window = FindWindowW(kProgressWindowClass, nullptr)) != nullptr; },
        kProgressWindowSearchMs, kPollMs);
    return window;
}

void CloseProgressWindow() {
    if (HWND window = FindProgressWindow())
        PostMessageW(window, WM_CLOSE, 0, 0);
}
