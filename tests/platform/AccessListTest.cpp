#include "platform/ZelACLUtl.h"

#include "TestSupport.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

using testing_support::ScratchFolder;

const wchar_t kEveryone[] = L"S-1-1-0";
const wchar_t kAdministrators[] = L"S-1-5-32-544";
const wchar_t kUsers[] = L"S-1-5-32-545";
const wchar_t kSystem[] = L"S-1-5-18";

constexpr uint8_t kAllowed = ACCESS_ALLOWED_ACE_TYPE;
constexpr uint8_t kDenied = ACCESS_DENIED_ACE_TYPE;
constexpr uint8_t kFolderFlags = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
constexpr uint8_t kInherited = INHERITED_ACE;
constexpr uint32_t kRead = FILE_GENERIC_READ;
constexpr uint32_t kFull = FILE_ALL_ACCESS;

// One entry of an access list, with its SID in string form.
struct Ace {
    uint8_t type;
    uint8_t flags;
    uint32_t mask;
    std::wstring sid;
    bool operator==(const Ace&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Ace& ace) {
    return out << "{type " << int(ace.type) << ", flags " << int(ace.flags) << ", mask " << ace.mask
               << ", " << testing_support::Utf8(ace.sid) << "}";
}

std::wstring SidText(PSID sid) {
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text))
        return L"?";
    std::wstring result = text;
    LocalFree(text);
    return result;
}

std::vector<Ace> EntriesOf(PACL acl) {
    std::vector<Ace> entries;
    ACL_SIZE_INFORMATION size{};
    EXPECT_TRUE(GetAclInformation(acl, &size, sizeof(size), AclSizeInformation));
    for (DWORD index = 0; index < size.AceCount; ++index) {
        void* entry = nullptr;
        EXPECT_TRUE(GetAce(acl, index, &entry));
        // Allowed and denied entries share their layout.
        const auto* ace = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        entries.push_back({ace->Header.AceType, ace->Header.AceFlags, ace->Mask,
                           SidText(const_cast<DWORD*>(&ace->SidStart))});
    }
    return entries;
}

// An absolute security descriptor built in memory, with a list of the given entries.
class Descriptor {
public:
    explicit Descriptor(const std::vector<Ace>& entries, SECURITY_DESCRIPTOR_CONTROL control = 0)
        : acl_(4096) {
        Init();
        const PACL acl = reinterpret_cast<PACL>(acl_.data());
        EXPECT_TRUE(InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION));
        for (const Ace& entry : entries) {
            const TZelHeapBlock sid = StringToSid(entry.sid);
            EXPECT_TRUE(
                entry.type == kAllowed
                    ? AddAccessAllowedAceEx(acl, ACL_REVISION, entry.flags, entry.mask, sid.Get())
                    : AddAccessDeniedAceEx(acl, ACL_REVISION, entry.flags, entry.mask, sid.Get()));
        }
        EXPECT_TRUE(SetSecurityDescriptorDacl(Get(), TRUE, acl, FALSE));
        if (control) {
            EXPECT_TRUE(SetSecurityDescriptorControl(Get(), control, control));
        }
    }

    // A descriptor without a list, or with a present list given as null.
    struct NoList {
        bool presentButNull;
    };
    explicit Descriptor(NoList noList) {
        Init();
        if (noList.presentButNull) {
            EXPECT_TRUE(SetSecurityDescriptorDacl(Get(), TRUE, nullptr, FALSE));
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    PSECURITY_DESCRIPTOR Get() { return &descriptor_; }

private:
    void Init() {
        EXPECT_TRUE(InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION));
    }

    std::vector<BYTE> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
};

struct Grant {
    std::wstring sid;
    uint8_t flags;
    uint32_t mask;
};

struct MergeCase {
    const char* name;
    std::vector<Ace> old;
    std::vector<Grant> grants;
    std::vector<Ace> expected;
};

std::ostream& operator<<(std::ostream& out, const MergeCase& c) {
    return out << c.name;
}

class MergeTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeTest, GivesExplicitThenNewThenInheritedEntries) {
    Descriptor old(GetParam().old);
    TZelAceCollection entries;
    for (const Grant& grant : GetParam().grants)
        entries.Add(grant.sid, kAllowed, grant.flags, grant.mask);

    const std::unique_ptr<TZelACLNewSDACL> merged = BuildNewDacl(old.Get(), &entries);
    ASSERT_NE(merged, nullptr);
    EXPECT_TRUE(IsValidSecurityDescriptor(merged->SecurityDescriptor));
    BOOL present = FALSE, defaulted = TRUE;
    PACL acl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(merged->SecurityDescriptor, &present, &acl, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    EXPECT_EQ(acl, merged->Acl);
    EXPECT_EQ(EntriesOf(acl), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MergeTest,
    ::testing::Values(
        MergeCase{
            "EntryWithSameSidAndFlagsIsReplacedWithoutItsRights",
            {{kAllowed, kFolderFlags, kRead, kEveryone}, {kAllowed, 0, kFull, kAdministrators}},
            {{kEveryone, kFolderFlags, FILE_GENERIC_WRITE}},
            {{kAllowed, 0, kFull, kAdministrators},
             {kAllowed, kFolderFlags, FILE_GENERIC_WRITE, kEveryone}}},
        MergeCase{"EntryWithOtherFlagsStaysBeforeTheNewOne",
                  {{kAllowed, 0, kRead, kEveryone}, {kAllowed, 0, kFull, kAdministrators}},
                  {{kEveryone, kFolderFlags, kFull}},
                  {{kAllowed, 0, kRead, kEveryone},
                   {kAllowed, 0, kFull, kAdministrators},
                   {kAllowed, kFolderFlags, kFull, kEveryone}}},
        MergeCase{
            "EntryOfOtherSidWithSameFlagsStays",
            {{kAllowed, kFolderFlags, kRead, kUsers}},
            {{kEveryone, kFolderFlags, kFull}},
            {{kAllowed, kFolderFlags, kRead, kUsers}, {kAllowed, kFolderFlags, kFull, kEveryone}}},
        MergeCase{"DeniedEntryForTheSidStays",
                  {{kDenied, kFolderFlags, FILE_GENERIC_WRITE, kEveryone}},
                  {{kEveryone, kFolderFlags, kFull}},
                  {{kDenied, kFolderFlags, FILE_GENERIC_WRITE, kEveryone},
                   {kAllowed, kFolderFlags, kFull, kEveryone}}},
        MergeCase{"InheritedEntriesStayAfterTheNewOnesInTheirOrder",
                  {{kAllowed, kInherited | kFolderFlags, kRead, kEveryone},
                   {kAllowed, 0, kFull, kAdministrators},
                   {kAllowed, kInherited, kFull, kSystem},
                   {kDenied, 0, FILE_GENERIC_WRITE, kUsers}},
                  {{kEveryone, kFolderFlags, kFull}, {kUsers, 0, kRead}},
                  {{kAllowed, 0, kFull, kAdministrators},
                   {kDenied, 0, FILE_GENERIC_WRITE, kUsers},
                   {kAllowed, kFolderFlags, kFull, kEveryone},
                   {kAllowed, 0, kRead, kUsers},
                   {kAllowed, kInherited | kFolderFlags, kRead, kEveryone},
                   {kAllowed, kInherited, kFull, kSystem}}},
        MergeCase{"AccountNameIsResolved",
                  {{kAllowed, 0, kFull, kSystem}},
                  {{L"Administrators", 0, kFull}},
                  {{kAllowed, 0, kFull, kSystem}, {kAllowed, 0, kFull, kAdministrators}}},
        MergeCase{"UnresolvableSidTextAddsNothing",
                  {{kAllowed, 0, kFull, kSystem}, {kAllowed, kInherited, kRead, kUsers}},
                  {{L"S-1-x-no-such-account", kFolderFlags, kFull}},
                  {{kAllowed, 0, kFull, kSystem}, {kAllowed, kInherited, kRead, kUsers}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuildNewDacl, GrantingTwiceLeavesOneEntry) {
    Descriptor old({{kAllowed, 0, kFull, kSystem}, {kAllowed, kInherited, kRead, kUsers}});
    TZelAceCollection entries;
    entries.Add(kEveryone, kAllowed, kFolderFlags, kFull);
    const std::unique_ptr<TZelACLNewSDACL> once = BuildNewDacl(old.Get(), &entries);
    ASSERT_NE(once, nullptr);
    const std::unique_ptr<TZelACLNewSDACL> twice = BuildNewDacl(once->SecurityDescriptor, &entries);
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(EntriesOf(twice->Acl), EntriesOf(once->Acl));
    EXPECT_EQ(EntriesOf(twice->Acl).size(), 3u);
    EXPECT_TRUE(SameAccessEntries(twice->Acl, once->Acl));
}

// A list is stored again only when the merge changed it: any difference in an entry, in their
// order or in their number counts.
TEST(SameAccessEntries, TellsEqualListsFromAnyDifference) {
    const std::vector<Ace> base = {{kAllowed, 0, kFull, kSystem}, {kAllowed, 0, kRead, kUsers}};
    const struct {
        const char* name;
        std::vector<Ace> other;
        bool same;
    } cases[] = {
        {"the same entries", base, true},
        {"other order", {base[1], base[0]}, false},
        {"other rights", {base[0], {kAllowed, 0, kFull, kUsers}}, false},
        {"other flags", {base[0], {kAllowed, kFolderFlags, kRead, kUsers}}, false},
        {"other type", {base[0], {kDenied, 0, kRead, kUsers}}, false},
        {"other account", {base[0], {kAllowed, 0, kRead, kEveryone}}, false},
        {"one entry more", {base[0], base[1], {kAllowed, 0, kRead, kEveryone}}, false},
        {"one entry less", {base[0]}, false},
    };
    Descriptor first(base);
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL firstAcl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(first.Get(), &present, &firstAcl, &defaulted));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Descriptor second(c.other);
        PACL secondAcl = nullptr;
        ASSERT_TRUE(GetSecurityDescriptorDacl(second.Get(), &present, &secondAcl, &defaulted));
        EXPECT_EQ(SameAccessEntries(firstAcl, secondAcl), c.same);
    }
    EXPECT_FALSE(SameAccessEntries(firstAcl, nullptr));
}

TEST(BuildNewDacl, CarriesTheInheritanceStateOver) {
    constexpr SECURITY_DESCRIPTOR_CONTROL inheritanceBits =
        SE_DACL_AUTO_INHERIT_REQ | SE_DACL_AUTO_INHERITED | SE_DACL_PROTECTED;
    const struct {
        SECURITY_DESCRIPTOR_CONTROL old;
        SECURITY_DESCRIPTOR_CONTROL expected;
    } cases[] = {
        {0, 0},
        {SE_DACL_PROTECTED, SE_DACL_PROTECTED},
        {SE_DACL_AUTO_INHERITED, SE_DACL_AUTO_INHERIT_REQ | SE_DACL_AUTO_INHERITED},
        {SE_DACL_AUTO_INHERIT_REQ, 0},
        {SE_DACL_AUTO_INHERITED | SE_DACL_PROTECTED,
         SE_DACL_AUTO_INHERIT_REQ | SE_DACL_AUTO_INHERITED},
    };
    for (const auto& c : cases) {
        Descriptor old({{kAllowed, 0, kFull, kSystem}}, c.old);
        TZelAceCollection entries;
        entries.Add(kEveryone, kAllowed, kFolderFlags, kFull);
        const std::unique_ptr<TZelACLNewSDACL> merged = BuildNewDacl(old.Get(), &entries);
        ASSERT_NE(merged, nullptr) << c.old;
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        ASSERT_TRUE(GetSecurityDescriptorControl(merged->SecurityDescriptor, &control, &revision));
        EXPECT_EQ(control & inheritanceBits, c.expected) << c.old;
    }
}

TEST(BuildNewDacl, RefusesMissingInputAndMissingOrEmptyLists) {
    TZelAceCollection grant;
    grant.Add(kEveryone, kAllowed, kFolderFlags, kFull);
    TZelAceCollection none;
    Descriptor withList({{kAllowed, 0, kFull, kSystem}});
    Descriptor emptyList(std::vector<Ace>{});
    Descriptor noList(Descriptor::NoList{false});
    Descriptor nullList(Descriptor::NoList{true});

    EXPECT_EQ(BuildNewDacl(nullptr, &grant), nullptr);
    EXPECT_EQ(BuildNewDacl(withList.Get(), nullptr), nullptr);
    EXPECT_EQ(BuildNewDacl(withList.Get(), &none), nullptr);
    EXPECT_EQ(BuildNewDacl(emptyList.Get(), &grant), nullptr);
    EXPECT_EQ(BuildNewDacl(noList.Get(), &grant), nullptr);
    EXPECT_EQ(BuildNewDacl(nullList.Get(), &grant), nullptr);
}

TEST(GetDaclInfo, ReportsTheListAndItsSize) {
    Descriptor two({{kAllowed, 0, kFull, kSystem}, {kAllowed, 0, kRead, kEveryone}});
    ACL_SIZE_INFORMATION size{};
    bool present = false, defaulted = true;
    const PACL acl = GetDaclInfo(two.Get(), size, present, defaulted);
    ASSERT_NE(acl, nullptr);
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    EXPECT_EQ(size.AceCount, 2u);
    EXPECT_EQ(size.AclBytesInUse, sizeof(ACL) + 8 + GetLengthSid(StringToSid(kSystem).Get()) + 8 +
                                      GetLengthSid(StringToSid(kEveryone).Get()));

    Descriptor nullList(Descriptor::NoList{true});
    EXPECT_EQ(GetDaclInfo(nullList.Get(), size, present, defaulted), nullptr);
    EXPECT_FALSE(present);
    EXPECT_EQ(GetDaclInfo(nullptr, size, present, defaulted), nullptr);
    EXPECT_FALSE(present);
    EXPECT_FALSE(defaulted);
    EXPECT_EQ(size.AceCount, 0u);
    EXPECT_EQ(size.AclBytesInUse, sizeof(ACL));
    EXPECT_EQ(size.AclBytesFree, 0u);
}

TEST(AceCollection, ResolvesSidTextsAndAccountNames) {
    TZelAceCollection entries;
    EXPECT_EQ(entries.Add(L"", kAllowed, 0, kFull), nullptr);
    EXPECT_EQ(entries.Count(), 0);

    const TZelAceItem* everyone = entries.Add(kEveryone, kAllowed, kFolderFlags, kFull);
    const TZelAceItem* unknown = entries.Add(L"no such account", kAllowed, kFolderFlags, kFull);
    const TZelAceItem* admins = entries.Add(L"Administrators", kDenied, 0, kRead);
    ASSERT_EQ(entries.Count(), 3);
    EXPECT_EQ(entries.Items(1), unknown);

    EXPECT_EQ(SidText(everyone->Sid), kEveryone);
    EXPECT_EQ(everyone->SidLength, GetLengthSid(everyone->Sid));
    EXPECT_EQ(everyone->AceFlags, kFolderFlags);
    EXPECT_EQ(everyone->AccessMask, kFull);

    EXPECT_EQ(unknown->Sid, nullptr);
    EXPECT_EQ(unknown->SidLength, 0u);
    EXPECT_EQ(unknown->AceFlags, 0);
    EXPECT_EQ(unknown->AccessMask, 0u);

    ASSERT_NE(admins->Sid, nullptr);
    EXPECT_EQ(SidText(admins->Sid), kAdministrators);
    EXPECT_EQ(admins->AceType, kDenied);

    EXPECT_EQ(entries.IndexOfSid(StringToSid(kAdministrators).Get()), 2);
    EXPECT_EQ(entries.IndexOfSid(StringToSid(kUsers).Get()), -1);
    entries.Clear();
    EXPECT_EQ(entries.Count(), 0);
}

TEST(SidLookup, FailsForUnknownTexts) {
    EXPECT_FALSE(StringToSid(L"Everyone-ish").Valid());
    EXPECT_FALSE(AccountNameToSid(L"no such account").Valid());
    const TZelHeapBlock system = AccountNameToSid(L"SYSTEM");
    ASSERT_TRUE(system.Valid());
    EXPECT_EQ(SidText(system.Get()), kSystem);
}

TEST(SecAlloc, GivesZeroFilledBlocksAndNullForSizeZero) {
    EXPECT_EQ(SecAlloc(0), nullptr);
    auto* block = static_cast<unsigned char*>(SecAlloc(64));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(block, block + 64), std::vector<unsigned char>(64, 0));
    SecFree(block);
    EXPECT_EQ(block, nullptr);
    SecFree(block);
}

// The grant merged into a list whose Everyone entry is only handed on to what is created inside,
// as a file inherits it from its folder: that entry grants nothing on the object, the grant must.
TEST(AddEveryoneGrant, ReachesTheFileItselfOrTheFolderAndWhatIsCreatedInside) {
    using testing_support::EveryoneWriteGrantIn;
    const std::vector<Ace> handedOn = {
        {kAllowed, 0, kFull, kSystem},
        {kAllowed, kFolderFlags | INHERIT_ONLY_ACE, kFull, kEveryone}};
    Descriptor old(handedOn);
    ASSERT_EQ(EveryoneWriteGrantIn(old.Get()), std::nullopt);
    for (const bool isFolder : {false, true}) {
        TZelAceCollection entries;
        AddEveryoneGrant(entries, isFolder);
        const std::unique_ptr<TZelACLNewSDACL> merged = BuildNewDacl(old.Get(), &entries);
        ASSERT_NE(merged, nullptr) << isFolder;
        EXPECT_EQ(EveryoneWriteGrantIn(merged->SecurityDescriptor),
                  isFolder ? testing_support::kFolderGrantFlags : testing_support::kFileGrantFlags)
            << isFolder;
    }
}

// On real files and folders: Everyone may write once granted (under Wine the flags are those of
// the mode bits, see kFolderGrantFlags), also behind a path too long for the plain functions.
TEST(GrantEveryone, LetsEveryoneWriteToTheFileOrFolder) {
    using testing_support::EveryoneWriteGrant;
    ScratchFolder folder;
    std::wstring deep = folder.Path();
    while (deep.size() < 280) {
        deep += std::wstring(60, L'd') + L"\\";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    for (const std::wstring& path : {folder / L"log.txt", deep + L"copied.txt"}) {
        SCOPED_TRACE(testing_support::Utf8(path));
        const std::wstring prefixed = L"\\\\?\\" + path;
        testing_support::WriteBytes(prefixed, "text");
        ASSERT_EQ(EveryoneWriteGrant(prefixed), std::nullopt);
        EXPECT_TRUE(GrantEveryoneFile(path));
        EXPECT_EQ(EveryoneWriteGrant(prefixed), testing_support::kFileGrantFlags);
        // A second grant finds the entry in place, as every line of the install log does.
        EXPECT_TRUE(GrantEveryoneFile(path));
        EXPECT_EQ(EveryoneWriteGrant(prefixed), testing_support::kFileGrantFlags);
    }
    ASSERT_EQ(EveryoneWriteGrant(folder.Path()), std::nullopt);
    EXPECT_TRUE(GrantEveryoneFileAccess(folder.Path(), true));
    EXPECT_EQ(EveryoneWriteGrant(folder.Path()), testing_support::kFolderGrantFlags);
    EXPECT_FALSE(GrantEveryoneFile(folder / L"missing.txt"));
    EXPECT_FALSE(GrantEveryoneFile(L""));
}

} // namespace
