#include "SilentRunFixture.h"
#include "SilentRunLockedKey.h"
#include "TwoLanguageDefinition.h"

#include "setup/ornLxSetup.h"

using namespace testing_support;

namespace {

// The values the engineering tool and the launcher exchange in the temporary key.
const wchar_t* const kTemporaryKeyValues[] = {L"Language", L"InstallPath", L"ContentsPath",
                                              L"Error",    L"Reboot",      L"Install"};

std::vector<std::unique_ptr<SavedRegistryValue>> SaveTemporaryKeyValues() {
    // A stopped test may have left the key read-only, which would spoil every later run.
    ReadOnlyKey::RepairAbandoned(HKEY_LOCAL_MACHINE, kSilentKey);
    std::vector<std::unique_ptr<SavedRegistryValue>> saved;
    for (const wchar_t* name : kTemporaryKeyValues)
        saved.push_back(std::make_unique<SavedRegistryValue>(HKEY_LOCAL_MACHINE, kSilentKey, name));
    return saved;
}

} // namespace

SilentRunFixture::SilentRunFixture(const std::wstring& launcherName)
    : launcherName(launcherName), temp(tempFolder.Path()),
      temporaryKeyValues_(SaveTemporaryKeyValues()), silentFile_(GetWorkFolder() + L"silent.txt") {
    CopyTo(ProgramFolder() + L"PagrionSetup.exe", LauncherPath());
    WriteBytes(setupFolder / (launcherName + L".dat"), kTwoLanguageDefinition);
    for (const wchar_t* language : {L"en", L"ja"})
        CopyTo(ProgramFolder() + L"fakepackage.exe", PackagePath(language));
    // Any file stands for the viewer program; the converter lies beside it.
    CopyTo(ProgramFolder() + L"fakepackage.exe", viewerFolder / L"PagrionViewer.exe");
    CopyTo(ProgramFolder() + L"lxdbconv.exe", viewerFolder / L"lxdbconv.exe");
    appMain.Set(viewerFolder / L"PagrionViewer.exe");
    installLang.Set(L"");
    installedVersion.Set(L"");
    userAppMain.Set(L"");
}

engtool::SilentOutcome SilentRunFixture::Run(const engtool::SilentParameters& parameters) {
    return engtool::RunSilentSetup(LauncherPath(), parameters);
}

engtool::SilentParameters SilentRunFixture::Parameters(const std::wstring& language) const {
    engtool::SilentParameters parameters;
    parameters.Language = language;
    parameters.InstallPath = installFolder / L"Viewer";
    parameters.ContentsPath = installFolder / L"Contents";
    return parameters;
}

std::wstring SilentRunFixture::LauncherPath() const {
    return setupFolder / (launcherName + L".exe");
}

std::wstring SilentRunFixture::PackagePath(const std::wstring& language) const {
    return setupFolder / (L"pkg_" + language + L".exe");
}

std::string SilentRunFixture::PackageStarts(const std::wstring& language) const {
    return ReadBytes(setupFolder / (L"pkg_" + language + L".started.txt"));
}

void SilentRunFixture::SetPackageBehaviour(const std::wstring& language,
                                           const std::string& behaviour) const {
    WriteBytes(setupFolder / (L"pkg_" + language + L".behaviour"), behaviour);
}

std::vector<std::string> SilentRunFixture::ConverterStarts() const {
    return SplitLines(ReadBytes(viewerFolder / L"lxdbconv.exe.started.txt"));
}

std::vector<SilentRunFixture::LogLine> SilentRunFixture::Log() const {
    // The progress process may still be writing its last line.
    std::string text = ReadBytesOnceFree(tempFolder / L"PagrionViewer-Install.log");
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    std::vector<LogLine> lines;
    for (const std::string& line : SplitLines(text)) {
        const size_t firstTab = line.find('\t');
        const size_t secondTab = line.find('\t', firstTab + 1);
        if (firstTab == std::string::npos || secondTab == std::string::npos)
            continue;
        lines.push_back({line.substr(0, firstTab), line.substr(secondTab + 1)});
    }
    return lines;
}

bool SilentRunFixture::LogHas(const std::string& message) const {
    for (const LogLine& line : Log())
        if (line.message == message)
            return true;
    return false;
}
