#include "SilentRunFixture.h"
#include "TwoLanguageDefinition.h"

using namespace testing_support;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace

SilentRunFixture::SilentRunFixture() : temp(tempFolder.Path()) {
    CopyTo(ProgramFolder() + L"PagrionSetup.exe", setupFolder / L"PagrionSetup.exe");
    WriteBytes(setupFolder / L"PagrionSetup.dat", kTwoLanguageDefinition);
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
    return engtool::RunSilentSetup(setupFolder / L"PagrionSetup.exe", parameters);
}

engtool::SilentParameters SilentRunFixture::Parameters(const std::wstring& language) const {
    engtool::SilentParameters parameters;
    parameters.Language = language;
    parameters.InstallPath = installFolder / L"Viewer";
    parameters.ContentsPath = installFolder / L"Contents";
    return parameters;
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
    return Lines(ReadBytes(viewerFolder / L"lxdbconv.exe.started.txt"));
}

std::vector<SilentRunFixture::LogLine> SilentRunFixture::Log() const {
    // The progress process may still be writing its last line.
    std::string text = ReadBytesOnceFree(tempFolder / L"PagrionViewer-Install.log");
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    std::vector<LogLine> lines;
    for (const std::string& line : Lines(text)) {
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
