// Comparison of the package's version with the installed viewer's version.
#include "setup/ornLxSetup.h"

#include "strings/ZelStrUtl.h"

#include <array>

namespace {

using VersionParts = std::array<int32_t, 4>;

// Four numbers cut at ".": an empty or unreadable part is 0, text after the fourth is ignored.
VersionParts ReadVersionParts(const std::wstring& version) {
    std::wstring rest = version;
    VersionParts parts{};
    for (int32_t& part : parts)
        part = IntegerWithDefault(Trim(ExtractToken(rest, L".", true, false)), 0);
    return parts;
}

// A part of 100 or more counts 1 in the part before it, less 1000 in its own.
void CarryInto(int32_t& higher, int32_t& lower) {
    if (lower >= 100) {
        higher += 1;
        lower -= 1000;
    }
}

} // namespace

TLxVersionCompare CompareVersions(const std::wstring& packageVersion,
                                  const std::wstring& installedVersion) {
    const std::wstring installed = Trim(installedVersion);
    if (installed.empty())
        return vcNotInstalled;
    VersionParts a = ReadVersionParts(Trim(packageVersion));
    VersionParts b = ReadVersionParts(installed);
    // The order matters: a second part raised by the third is not carried again.
    CarryInto(a[0], a[1]);
    CarryInto(b[0], b[1]);
    CarryInto(a[1], a[2]);
    CarryInto(b[1], b[2]);
    if (a[0] != b[0])
        return vcOtherMajor;
    for (size_t i = 1; i < 4; ++i) {
        if (a[i] != b[i])
            return a[i] > b[i] ? vcNewer : vcOlder;
    }
    return vcSame;
}

bool TLxSetupManager::IsInstallNeeded(const std::wstring& packageVersion) const {
    // A package whose version cannot be read is not known to be unneeded: its own installer
    // decides. Counted as 0.0.0.0 it would be skipped as another major version, and the run
    // would report an install that never happened.
    if (Trim(packageVersion).empty())
        return true;
    const TLxVersionCompare result = CompareVersions(packageVersion, InstalledVersion);
    return result == vcNewer || result == vcNotInstalled;
}
