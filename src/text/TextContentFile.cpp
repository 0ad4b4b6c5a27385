// Loading text content from a file.
#include "text/ZelConvUtl.h"

#include "platform/Owned.h"
#include "platform/Paths.h"

#include <climits>

#include <windows.h>

namespace {

// The whole file in memory; false when it cannot be opened or read, or is too large for a
// 32-bit size.
bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    const TZelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > INT_MAX)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                      &read, nullptr))
            return false;
        if (read == 0) // the file became shorter since its size was taken
            break;
        done += read;
    }
    bytes.resize(done);
    return true;
}

} // namespace

bool TZelCustomTextContent::LoadFromFile(const std::wstring& fileName) try {
    if (!FileExistsChecked(fileName)) {
        Clear();
        return false;
    }
    std::string bytes;
    if (!ReadWholeFile(AddLongPathPrefix(fileName), bytes))
        return false;
    return LoadFromBuffer(static_cast<int32_t>(bytes.size()), bytes.data());
} catch (...) {
    return false;
}
