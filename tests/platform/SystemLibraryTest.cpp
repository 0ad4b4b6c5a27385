// Windows DLLs loaded while the program runs come from the system folder and give their
// functions by name; a DLL or function that is not there gives nothing.
#include "platform/SystemLibrary.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring FolderOf(HMODULE module) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    const std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L'\\'));
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    return std::wstring(folder, GetSystemDirectoryW(folder, MAX_PATH));
}

TEST(SystemLibrary, LoadsFromTheSystemFolder) {
    const struct {
        const wchar_t* dll;
        const char* function;
    } cases[] = {
        {L"version.dll", "GetFileVersionInfoSizeW"},
        {L"shell32.dll", "ShellExecuteExW"},
        {L"comctl32.dll", "InitCommonControlsEx"},
    };
    for (const auto& c : cases) {
        const TZelSystemLibrary library(c.dll);
        ASSERT_NE(library.Get(), nullptr) << c.function;
        EXPECT_EQ(CompareStringOrdinal(FolderOf(library.Get()).c_str(), -1, SystemFolder().c_str(),
                                       -1, TRUE),
                  CSTR_EQUAL)
            << c.function;
        EXPECT_NE(library.Find<void()>(c.function), nullptr) << c.function;
        EXPECT_EQ(library.Find<void()>("NoSuchFunction"), nullptr) << c.function;
    }
}

TEST(SystemLibrary, MissingDllGivesNoFunctions) {
    const TZelSystemLibrary library(L"pagrion-no-such-library.dll");
    EXPECT_EQ(library.Get(), nullptr);
    EXPECT_EQ(library.Find<void()>("GetFileVersionInfoSizeW"), nullptr);
}

} // namespace
