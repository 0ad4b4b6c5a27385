// A silent run laid out for the end-to-end tests: the launcher with a two-language definition
// file and package doubles in one folder, an installed viewer with the converter double in
// another, the install log in a folder of the test's own. The viewer's registry values, the
// temporary key's values and the work folder's file are put back afterwards, and whatever the
// test started and left running is ended.
#pragma once

#include "EngTool.h"
#include "OwnProcesses.h"
#include "SavedRegistryValue.h"
#include "TestSupport.h"
#include "setup/SharedNames.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class SilentRunFixture : public ::testing::Test {
protected:
    // The launcher is copied under its own name unless a test needs another one.
    explicit SilentRunFixture(const std::wstring& launcherName = L"PagrionSetup");

    // Runs the launcher with "SET" through the engineering tool.
    engtool::SilentOutcome Run(const engtool::SilentParameters& parameters);
    // Parameters naming the given language, the install folder and the contents folder.
    engtool::SilentParameters Parameters(const std::wstring& language = L"en") const;

    std::wstring LauncherPath() const;
    // The package of a language ("en" or "ja") as the definition file names it.
    std::wstring PackagePath(const std::wstring& language) const;
    // What the package double recorded of its starts (empty when it never started).
    std::string PackageStarts(const std::wstring& language) const;
    void SetPackageBehaviour(const std::wstring& language, const std::string& behaviour) const;
    // The argument lines the converter double recorded, one per start.
    std::vector<std::string> ConverterStarts() const;
    // The messages of the install log with the process id of each line.
    struct LogLine {
        std::string processId;
        std::string message;
    };
    std::vector<LogLine> Log() const;
    // Whether some line of the log carries exactly this message.
    bool LogHas(const std::string& message) const;

    const std::wstring launcherName;
    testing_support::ScratchFolder setupFolder;
    testing_support::ScratchFolder viewerFolder;
    testing_support::ScratchFolder installFolder;
    testing_support::ScratchFolder tempFolder;
    testing_support::ScopedTempFolder temp;
    SavedRegistryValue appMain{HKEY_LOCAL_MACHINE, kViewerKey, L"AppMain"};
    SavedRegistryValue installLang{HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang"};
    SavedRegistryValue installedVersion{HKEY_LOCAL_MACHINE, kViewerKey, L"Install"};
    SavedRegistryValue userAppMain{HKEY_CURRENT_USER, kViewerKey, L"AppMain"};

private:
    std::vector<std::unique_ptr<SavedRegistryValue>> temporaryKeyValues_;
    testing_support::SavedFile silentFile_;
    // Declared last: the processes end before the files and values they use are put back.
    testing_support::OwnProcessesEnder processes_;
};
