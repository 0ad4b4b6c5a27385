#include "platform/Paths.h"

#include "platform/SystemLibrary.h"
#include "strings/ZelStrUtl.h"

#include <windows.h>

#include <vector>

namespace {

// version.dll's functions, looked up once and kept for the life of the process.
struct TZelVersionFunctions {
    TZelSystemLibrary library{L"version.dll"};
    decltype(&GetFileVersionInfoSizeW) InfoSize =
        library.Find<decltype(GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    decltype(&GetFileVersionInfoW) Info =
        library.Find<decltype(GetFileVersionInfoW)>("GetFileVersionInfoW");
    decltype(&VerQueryValueW) QueryValue = library.Find<decltype(VerQueryValueW)>("VerQueryValueW");

    bool Complete() const { return InfoSize && Info && QueryValue; }
};

const TZelVersionFunctions& VersionFunctions() {
    static const TZelVersionFunctions functions;
    return functions;
}

// The four 16-bit parts of a version, most significant first, in decimal joined by ".".
std::wstring JoinVersion(DWORD mostSignificant, DWORD leastSignificant) {
    return DecimalText(HIWORD(mostSignificant)) + L"." + DecimalText(LOWORD(mostSignificant)) +
           L"." + DecimalText(HIWORD(leastSignificant)) + L"." +
           DecimalText(LOWORD(leastSignificant));
}

} // namespace

std::wstring TZelFile::GetFileVersionText(const std::wstring& fileName) noexcept try {
    const TZelVersionFunctions& version = VersionFunctions();
    if (!version.Complete())
        return {};
    const std::wstring name = AddLongPathPrefix(fileName);
    DWORD ignored = 0;
    const DWORD size = version.InfoSize(name.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<BYTE> data(size + 1);
    if (!version.Info(name.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
        return {};
    void* root = nullptr;
    UINT rootLength = 0;
    // A root block shorter than the fixed file information would be read past its end.
    if (!version.QueryValue(data.data(), L"\\", &root, &rootLength) ||
        rootLength < sizeof(VS_FIXEDFILEINFO))
        return {};
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(root);
    return JoinVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
} catch (...) {
    return {};
}
