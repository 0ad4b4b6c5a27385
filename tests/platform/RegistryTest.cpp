#include "platform/Registry.h"

#include "strings/LocaleText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A fresh key "Software\PagrionRegistryTest-<pid>-<n>" under root, removed with everything in
// it at the end of its scope.
class TestKey {
public:
    explicit TestKey(HKEY root) : root_(root) {
        static int counter = 0;
        path_ = L"Software\\PagrionRegistryTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
    }
    ~TestKey() {
        HKEY software = nullptr;
        if (RegOpenKeyExW(root_, L"Software", 0, KEY_ALL_ACCESS | kRegistryView, &software) ==
            ERROR_SUCCESS) {
            RegDeleteTreeW(software, path_.substr(path_.find(L'\\') + 1).c_str());
            RegCloseKey(software);
        }
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    HKEY Root() const { return root_; }
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    // Creates root\Path()\subKey (subKey may be empty) and writes a value of any type into it.
    void SetRaw(const std::wstring& subKey, const std::wstring& name, DWORD type, const void* data,
                DWORD size) const {
        TZelRegKey key = Create(subKey);
        ASSERT_EQ(
            RegSetValueExW(key.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
    }
    void SetText(const std::wstring& subKey, const std::wstring& name,
                 const std::wstring& text) const {
        SetRaw(subKey, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
    }
    TZelRegKey Create(const std::wstring& subKey) const {
        HKEY key = nullptr;
        const std::wstring path = subKey.empty() ? path_ : *this / subKey;
        EXPECT_EQ(RegCreateKeyExW(root_, path.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS | kRegistryView, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return TZelRegKey(key);
    }
    bool Exists(const std::wstring& subKey) const {
        TZelRegKey key;
        return OpenRegKey(root_, subKey.empty() ? path_ : *this / subKey, KEY_READ, key);
    }
    bool HasValue(const std::wstring& name) const {
        TZelRegKey key;
        return OpenRegKey(root_, path_, KEY_READ, key) &&
               RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                   ERROR_SUCCESS;
    }

private:
    HKEY root_;
    std::wstring path_;
};

struct ReadCase {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    bool read;
    std::wstring expected;
};

std::vector<BYTE> TextBytes(const std::wstring& text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return bytes;
}

std::ostream& operator<<(std::ostream& out, const ReadCase& c) {
    return out << c.name;
}

class ReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReadsStoredDataAsText) {
    TestKey key(HKEY_CURRENT_USER);
    key.SetRaw(L"", L"v", GetParam().type, GetParam().data.data(), DWORD(GetParam().data.size()));
    std::wstring value = L"stale";
    EXPECT_EQ(ReadRegString(key.Root(), key.Path(), L"v", value), GetParam().read);
    EXPECT_EQ(value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadTest,
    ::testing::Values(
        ReadCase{"Text", REG_SZ, TextBytes(L"C:\\Program Files\\\u65E5"), true,
                 L"C:\\Program Files\\\u65E5"},
        ReadCase{"EmptyText", REG_SZ, TextBytes(L""), true, L""},
        ReadCase{"TextFillingTheBuffer", REG_SZ, TextBytes(std::wstring(511, L'x')), true,
                 std::wstring(511, L'x')},
        ReadCase{"TextBeyondTheBuffer", REG_SZ, TextBytes(std::wstring(512, L'x')), false, L""},
        ReadCase{"DwordReadAsText", REG_DWORD, {0x41, 0x00, 0x42, 0x00}, true, L"AB"},
        ReadCase{"DwordWithNullHalf", REG_DWORD, {0x31, 0x00, 0x00, 0x00}, true, L"1"},
        ReadCase{
            "DataWithoutNullEndsWithTheData", REG_BINARY, {0x41, 0x00, 0x42, 0x00}, true, L"AB"},
        ReadCase{"OddByteIsNotText", REG_BINARY, {0x41, 0x00, 0x42}, true, L"A"},
        ReadCase{"NoData", REG_BINARY, {}, true, L""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadRegString, FailsForMissingKeysAndValues) {
    TestKey key(HKEY_CURRENT_USER);
    key.SetText(L"", L"v", L"x");
    const std::wstring missing[][2] = {
        {L"", L"v"}, {key.Path(), L"other"}, {key / L"none", L"v"}, {key.Path(), L""}};
    for (const auto& [subKey, name] : missing) {
        std::wstring value = L"stale";
        EXPECT_FALSE(ReadRegString(key.Root(), subKey, name, value)) << testing_support::Utf8(name);
        EXPECT_EQ(value, L"");
    }
    const TZelRegKey notOpened;
    std::wstring value = L"stale";
    EXPECT_FALSE(ReadRegString(notOpened, L"v", value));
    EXPECT_EQ(value, L"");
}

TEST(WriteRegString, CreatesMissingKeysAndWritesTerminatedText) {
    TestKey key(HKEY_CURRENT_USER);
    const std::wstring subKey = key / L"a\\b\\c";
    ASSERT_TRUE(WriteRegString(key.Root(), subKey, L"Path", L"C:\\\u00C4\0hidden", false));
    ASSERT_TRUE(WriteRegString(key.Root(), subKey, L"", L"default", false));

    TZelRegKey raw;
    ASSERT_TRUE(OpenRegKey(key.Root(), subKey, KEY_READ, raw));
    wchar_t data[16] = {};
    DWORD type = 0, size = sizeof(data);
    ASSERT_EQ(
        RegQueryValueExW(raw.Get(), L"Path", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(std::wstring(data, size / sizeof(wchar_t)), std::wstring(L"C:\\\u00C4\0", 5));

    std::wstring value;
    EXPECT_TRUE(ReadRegString(key.Root(), subKey, L"", value));
    EXPECT_EQ(value, L"default");
    EXPECT_FALSE(WriteRegString(key.Root(), L"", L"v", L"x", false));
}

TEST(WriteRegString, EmptyValueDeletesTheValue) {
    TestKey key(HKEY_CURRENT_USER);
    key.SetText(L"", L"v", L"x");
    EXPECT_TRUE(WriteRegString(key.Root(), key.Path(), L"v", L"", false));
    EXPECT_FALSE(key.HasValue(L"v"));
    EXPECT_FALSE(WriteRegString(key.Root(), key.Path(), L"v", L"", false));
    EXPECT_FALSE(WriteRegString(key.Root(), key / L"none", L"v", L"", false));
    EXPECT_FALSE(key.Exists(L"none"));
}

TEST(DeleteRegValue, DeletesOnlyExistingValues) {
    TestKey key(HKEY_CURRENT_USER);
    key.SetText(L"", L"v", L"x");
    key.SetText(L"", L"w", L"y");
    EXPECT_TRUE(DeleteRegValue(key.Root(), key.Path(), L"v", false));
    EXPECT_FALSE(key.HasValue(L"v"));
    EXPECT_TRUE(key.HasValue(L"w"));
    EXPECT_FALSE(DeleteRegValue(key.Root(), key.Path(), L"v", false));
    EXPECT_FALSE(DeleteRegValue(key.Root(), key / L"none", L"w", false));
    EXPECT_FALSE(DeleteRegValue(key.Root(), L"", L"w", false));
}

using EnumFunction = bool (*)(HKEY, const std::wstring&, int32_t, TZelRegKey&, std::wstring&);

// Every name of an enumeration from index 0 on; also checks that the failing call closed the key.
std::vector<std::wstring> Enumerate(EnumFunction enumerate, HKEY root, const std::wstring& subKey) {
    std::vector<std::wstring> names;
    TZelRegKey keyHandle;
    std::wstring name;
    HKEY lastOpen = nullptr;
    for (int32_t index = 0;; ++index) {
        name = L"stale";
        if (!enumerate(root, subKey, index, keyHandle, name))
            break;
        names.push_back(name);
        lastOpen = keyHandle.Get();
    }
    EXPECT_EQ(name, L"");
    EXPECT_FALSE(keyHandle.Valid());
    if (lastOpen) {
        // The handle was closed, not just forgotten.
        EXPECT_EQ(RegQueryInfoKeyW(lastOpen, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr),
                  ERROR_INVALID_HANDLE);
    }
    return names;
}

using Names = std::vector<std::wstring>;

TEST(EnumRegNames, ListSubKeysAndValuesThenCloseTheKey) {
    TestKey key(HKEY_CURRENT_USER);
    const std::wstring longestName = L"x" + std::wstring(1022, L'n');
    for (const wchar_t* name : {L"a", L"b\\deep", L"c"})
        key.Create(name);
    key.SetText(L"", L"v1", L"x");
    key.SetText(L"", longestName, L"x");
    key.Create(L"empty");

    EXPECT_EQ(Enumerate(EnumRegSubKeyName, key.Root(), key.Path()),
              (Names{L"a", L"b", L"c", L"empty"}));
    EXPECT_EQ(Enumerate(EnumRegValueName, key.Root(), key.Path()), (Names{L"v1", longestName}));
    EXPECT_EQ(Enumerate(EnumRegSubKeyName, key.Root(), key / L"empty"), Names{});
    EXPECT_EQ(Enumerate(EnumRegValueName, key.Root(), key / L"empty"), Names{});
    EXPECT_EQ(Enumerate(EnumRegSubKeyName, key.Root(), key / L"none"), Names{});

    // An empty sub-key path addresses the root itself.
    const TZelRegKey opened = key.Create(L"b");
    EXPECT_EQ(Enumerate(EnumRegSubKeyName, opened.Get(), L""), Names{L"deep"});
}

TEST(EnumRegNames, NameTooLongEndsTheEnumeration) {
    TestKey key(HKEY_CURRENT_USER);
    key.SetText(L"", std::wstring(1024, L'n'), L"x");
    EXPECT_EQ(Enumerate(EnumRegValueName, key.Root(), key.Path()), Names{});
}

TEST(EnumRegNames, RestartingAtIndexZeroReopensTheKey) {
    TestKey key(HKEY_CURRENT_USER);
    key.Create(L"a");
    key.Create(L"b");
    TZelRegKey keyHandle;
    std::wstring name;
    ASSERT_TRUE(EnumRegSubKeyName(key.Root(), key.Path(), 0, keyHandle, name));
    ASSERT_TRUE(EnumRegSubKeyName(key.Root(), key.Path(), 1, keyHandle, name));
    EXPECT_EQ(name, L"b");
    ASSERT_TRUE(EnumRegSubKeyName(key.Root(), key.Path(), 0, keyHandle, name));
    EXPECT_EQ(name, L"a");
    EXPECT_TRUE(keyHandle.Valid());
}

TEST(DeleteRegKey, DeletesValuesAndChildlessSubKeysOneLevelDeep) {
    TestKey key(HKEY_CURRENT_USER);
    for (const wchar_t* name : {L"v1", L"v2", L"v3", L"v4", L""})
        key.SetText(L"", name, L"x");
    for (const wchar_t* name : {L"leaf1", L"leaf2", L"leaf3", L"inner\\grandchild"})
        key.Create(name);
    key.SetText(L"leaf2", L"v", L"x");

    EXPECT_FALSE(DeleteRegKey(key.Root(), key.Path(), false));
    EXPECT_EQ(Enumerate(EnumRegValueName, key.Root(), key.Path()), Names{});
    EXPECT_EQ(Enumerate(EnumRegSubKeyName, key.Root(), key.Path()), Names{L"inner"});
    EXPECT_TRUE(key.Exists(L"inner\\grandchild"));

    TZelRegKey inner;
    ASSERT_TRUE(OpenRegKey(key.Root(), key / L"inner", KEY_WRITE, inner));
    ASSERT_EQ(RegDeleteKeyExW(inner.Get(), L"grandchild", kRegistryView, 0), ERROR_SUCCESS);
    EXPECT_TRUE(DeleteRegKey(key.Root(), key.Path(), false));
    EXPECT_FALSE(key.Exists(L""));

    EXPECT_FALSE(DeleteRegKey(key.Root(), key.Path(), false));
    EXPECT_FALSE(DeleteRegKey(key.Root(), L"", false));
}

// Redirects this program's import of one registry function to a replacement while in scope.
class ImportRedirect {
public:
    ImportRedirect(const char* function, void* replacement) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* dll =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             dll->Name; ++dll) {
            if (_stricmp(reinterpret_cast<const char*>(base + dll->Name), "advapi32.dll") != 0)
                continue;
            auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
            for (int i = 0; names[i].u1.AddressOfData; ++i) {
                if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal))
                    continue;
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                    slot_ = reinterpret_cast<void**>(&slots[i].u1.Function);
            }
        }
        if (slot_)
            original_ = Exchange(replacement);
    }
    ~ImportRedirect() {
        if (slot_)
            Exchange(original_);
    }
    ImportRedirect(const ImportRedirect&) = delete;
    ImportRedirect& operator=(const ImportRedirect&) = delete;

    void* Original() const { return original_; }

private:
    void* Exchange(void* target) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &protection);
        void* previous = *slot_;
        *slot_ = target;
        VirtualProtect(slot_, sizeof(void*), protection, &protection);
        return previous;
    }

    void** slot_ = nullptr;
    void* original_ = nullptr;
};

std::vector<HKEY> flushedKeys;
void* realFlush = nullptr;

LONG WINAPI RecordingFlush(HKEY key) {
    flushedKeys.push_back(key);
    return reinterpret_cast<decltype(&RegFlushKey)>(realFlush)(key);
}

TEST(RegistryFlush, FollowsOnlySuccessfulChangesWhenAsked) {
    const ImportRedirect redirect("RegFlushKey", reinterpret_cast<void*>(&RecordingFlush));
    ASSERT_NE(redirect.Original(), nullptr);
    realFlush = redirect.Original();

    TestKey key(HKEY_CURRENT_USER);
    const HKEY root = key.Root();
    const std::wstring path = key.Path();
    key.Create(L"leaf");
    key.Create(L"inner\\child\\grandchild");
    const struct {
        const char* name;
        bool (*change)(HKEY, const std::wstring&);
        bool succeeds;
    } cases[] = {
        {"write",
         [](HKEY r, const std::wstring& p) { return WriteRegString(r, p, L"v", L"x", true); },
         true},
        {"write empty over a value",
         [](HKEY r, const std::wstring& p) { return WriteRegString(r, p, L"v", L"", true); }, true},
        {"write empty over nothing",
         [](HKEY r, const std::wstring& p) { return WriteRegString(r, p, L"v", L"", true); },
         false},
        {"write to no key",
         [](HKEY r, const std::wstring&) { return WriteRegString(r, L"", L"v", L"x", true); },
         false},
        {"delete missing value",
         [](HKEY r, const std::wstring& p) { return DeleteRegValue(r, p, L"v", true); }, false},
        {"delete key with grandchild",
         [](HKEY r, const std::wstring& p) { return DeleteRegKey(r, p + L"\\inner", true); },
         false},
        {"delete leaf key",
         [](HKEY r, const std::wstring& p) { return DeleteRegKey(r, p + L"\\leaf", true); }, true},
        {"delete missing key",
         [](HKEY r, const std::wstring& p) { return DeleteRegKey(r, p + L"\\leaf", true); }, false},
    };
    for (const auto& c : cases) {
        flushedKeys.clear();
        EXPECT_EQ(c.change(root, path), c.succeeds) << c.name;
        EXPECT_EQ(flushedKeys, c.succeeds ? std::vector<HKEY>{root} : std::vector<HKEY>{})
            << c.name;
    }

    flushedKeys.clear();
    EXPECT_TRUE(WriteRegString(root, path, L"v", L"x", false));
    EXPECT_TRUE(DeleteRegValue(root, path, L"v", false));
    EXPECT_TRUE(DeleteRegKey(root, path + L"\\inner\\child\\grandchild", false));
    EXPECT_TRUE(flushedKeys.empty());
}

bool OpensInView(HKEY root, const std::wstring& subKey, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool IsSixtyFourBitWindows() {
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64;
}

// Both word sizes meet the same keys under HKLM\Software only when every operation works in the
// 32-bit view, whichever build runs.
TEST(kRegistryView, MachineSoftwareKeysLiveInTheThirtyTwoBitView) {
    TestKey key(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(WriteRegString(key.Root(), key / L"inner", L"v", L"ours", false));
    EXPECT_TRUE(OpensInView(key.Root(), key / L"inner", KEY_WOW64_32KEY));
    if (IsSixtyFourBitWindows()) {
        EXPECT_FALSE(OpensInView(key.Root(), key.Path(), KEY_WOW64_64KEY));
    }

    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(key.Root(), (key / L"theirs").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    const TZelRegKey theirs(raw);
    const wchar_t text[] = L"written by the other build";
    ASSERT_EQ(RegSetValueExW(theirs.Get(), L"v", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             sizeof(text)),
              ERROR_SUCCESS);
    std::wstring value;
    EXPECT_TRUE(ReadRegString(key.Root(), key / L"theirs", L"v", value));
    EXPECT_EQ(value, text);
    EXPECT_EQ(Enumerate(EnumRegSubKeyName, key.Root(), key.Path()), (Names{L"inner", L"theirs"}));

    EXPECT_TRUE(DeleteRegKey(key.Root(), key / L"inner", false));
    EXPECT_FALSE(OpensInView(key.Root(), key / L"inner", KEY_WOW64_32KEY));
}

TEST(GetCommonAppDataPath, ReadsTheSharedDataFolder) {
    std::wstring path = L"stale";
    ASSERT_TRUE(GetCommonAppDataPath(path));
    wchar_t expected[MAX_PATH] = {};
    ASSERT_GT(ExpandEnvironmentStringsW(L"%ProgramData%", expected, MAX_PATH), 0u);
    EXPECT_TRUE(SameText(path, expected)) << testing_support::Utf8(path);
}

} // namespace
