// The launcher's exit codes. In silent mode any other value is the package's own exit code,
// passed on unchanged.
#pragma once

#include <cstdint>

enum TLxExitCode : uint32_t {
    ecDone = 0,
    ecNoLanguage = 1,              // no language can be used
    ecPackageMissing = 2,          // the chosen language's package file does not exist
    ecSilentParametersMissing = 3, // silent mode without "InstallPath"
    ecPackageDidNotStart = 4,
    ecConverterDidNotStart = 5, // the manuals could not be registered, also on the retry
    ecAnotherSetupRunning = 1618,
    ecRebootRequired = 3010, // the package's code for a pending reboot
};
