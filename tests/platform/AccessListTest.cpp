#include "platform/ZelACLUtl.h"

#include "TestSupport.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

using testing_support::ScratchFolder;

const wchar_t Everyone[] = L"S-1-1-0";
const wchar_t Administrators[] = L"S-1-5-32-544";
const wchar_t Users[] = L"S-1-5-32-545";
const wchar_t System[] = L"S-1-5-18";

constexpr uint8_t Allowed = ACCESS_ALLOWED_ACE_TYPE;
constexpr uint8_t Denied = ACCESS_DENIED_ACE_TYPE;
constexpr uint8_t FolderFlags = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
constexpr uint8_t Inherited = INHERITED_ACE;
constexpr uint32_t Read = FILE_GENERIC_READ;
constexpr uint32_t Full = FILE_ALL_ACCESS;

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
    if (!ConvertSidToStringSidW(sid, &text)) return L"?";
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
            const SecBlock sid = StringToSid(entry.sid);
            EXPECT_TRUE(
                entry.type == Allowed
                    ? AddAccessAllowedAceEx(acl, ACL_REVISION, entry.flags, entry.mask, sid.get())
                    : AddAccessDeniedAceEx(acl, ACL_REVISION, entry.flags, entry.mask, sid.get()));
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
        entries.Add(grant.sid, Allowed, grant.flags, grant.mask);

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
        MergeCase{"EntryWithSameSidAndFlagsIsReplacedWithoutItsRights",
                  {{Allowed, FolderFlags, Read, Everyone}, {Allowed, 0, Full, Administrators}},
                  {{Everyone, FolderFlags, FILE_GENERIC_WRITE}},
                  {{Allowed, 0, Full, Administrators},
                   {Allowed, FolderFlags, FILE_GENERIC_WRITE, Everyone}}},
        MergeCase{"EntryWithOtherFlagsStaysBeforeTheNewOne",
                  {{Allowed, 0, Read, Everyone}, {Allowed, 0, Full, Administrators}},
                  {{Everyone, FolderFlags, Full}},
                  {{Allowed, 0, Read, Everyone},
                   {Allowed, 0, Full, Administrators},
                   {Allowed, FolderFlags, Full, Everyone}}},
        MergeCase{"EntryOfOtherSidWithSameFlagsStays",
                  {{Allowed, FolderFlags, Read, Users}},
                  {{Everyone, FolderFlags, Full}},
                  {{Allowed, FolderFlags, Read, Users}, {Allowed, FolderFlags, Full, Everyone}}},
        MergeCase{"DeniedEntryForTheSidStays",
                  {{Denied, FolderFlags, FILE_GENERIC_WRITE, Everyone}},
                  {{Everyone, FolderFlags, Full}},
                  {{Denied, FolderFlags, FILE_GENERIC_WRITE, Everyone},
                   {Allowed, FolderFlags, Full, Everyone}}},
        MergeCase{"InheritedEntriesStayAfterTheNewOnesInTheirOrder",
                  {{Allowed, Inherited | FolderFlags, Read, Everyone},
                   {Allowed, 0, Full, Administrators},
                   {Allowed, Inherited, Full, System},
                   {Denied, 0, FILE_GENERIC_WRITE, Users}},
                  {{Everyone, FolderFlags, Full}, {Users, 0, Read}},
                  {{Allowed, 0, Full, Administrators},
                   {Denied, 0, FILE_GENERIC_WRITE, Users},
                   {Allowed, FolderFlags, Full, Everyone},
                   {Allowed, 0, Read, Users},
                   {Allowed, Inherited | FolderFlags, Read, Everyone},
                   {Allowed, Inherited, Full, System}}},
        MergeCase{"AccountNameIsResolved",
                  {{Allowed, 0, Full, System}},
                  {{L"Administrators", 0, Full}},
                  {{Allowed, 0, Full, System}, {Allowed, 0, Full, Administrators}}},
        MergeCase{"UnresolvableSidTextAddsNothing",
                  {{Allowed, 0, Full, System}, {Allowed, Inherited, Read, Users}},
                  {{L"S-1-x-no-such-account", FolderFlags, Full}},
                  {{Allowed, 0, Full, System}, {Allowed, Inherited, Read, Users}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuildNewDacl, GrantingTwiceLeavesOneEntry) {
    Descriptor old({{Allowed, 0, Full, System}, {Allowed, Inherited, Read, Users}});
    TZelAceCollection entries;
    entries.Add(Everyone, Allowed, FolderFlags, Full);
    const std::unique_ptr<TZelACLNewSDACL> once = BuildNewDacl(old.Get(), &entries);
    ASSERT_NE(once, nullptr);
    const std::unique_ptr<TZelACLNewSDACL> twice = BuildNewDacl(once->SecurityDescriptor, &entries);
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(EntriesOf(twice->Acl), EntriesOf(once->Acl));
    EXPECT_EQ(EntriesOf(twice->Acl).size(), 3u);
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
        Descriptor old({{Allowed, 0, Full, System}}, c.old);
        TZelAceCollection entries;
        entries.Add(Everyone, Allowed, FolderFlags, Full);
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
    grant.Add(Everyone, Allowed, FolderFlags, Full);
    TZelAceCollection none;
    Descriptor withList({{Allowed, 0, Full, System}});
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
    Descriptor two({{Allowed, 0, Full, System}, {Allowed, 0, Read, Everyone}});
    ACL_SIZE_INFORMATION size{};
    bool present = false, defaulted = true;
    const PACL acl = GetDaclInfo(two.Get(), size, present, defaulted);
    ASSERT_NE(acl, nullptr);
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    EXPECT_EQ(size.AceCount, 2u);
    EXPECT_EQ(size.AclBytesInUse, sizeof(ACL) + 8 + GetLengthSid(StringToSid(System).get()) + 8 +
                                      GetLengthSid(StringToSid(Everyone).get()));

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
    EXPECT_EQ(entries.Add(L"", Allowed, 0, Full), nullptr);
    EXPECT_EQ(entries.Count(), 0);

    const TZelAceItem* everyone = entries.Add(Everyone, Allowed, FolderFlags, Full);
    const TZelAceItem* unknown = entries.Add(L"no such account", Allowed, FolderFlags, Full);
    const TZelAceItem* admins = entries.Add(L"Administrators", Denied, 0, Read);
    ASSERT_EQ(entries.Count(), 3);
    EXPECT_EQ(entries.Items(1), unknown);

    EXPECT_EQ(SidText(everyone->Sid), Everyone);
    EXPECT_EQ(everyone->SidLength, GetLengthSid(everyone->Sid));
    EXPECT_EQ(everyone->AceFlags, FolderFlags);
    EXPECT_EQ(everyone->AccessMask, Full);

    EXPECT_EQ(unknown->Sid, nullptr);
    EXPECT_EQ(unknown->SidLength, 0u);
    EXPECT_EQ(unknown->AceFlags, 0);
    EXPECT_EQ(unknown->AccessMask, 0u);

    ASSERT_NE(admins->Sid, nullptr);
    EXPECT_EQ(SidText(admins->Sid), Administrators);
    EXPECT_EQ(admins->AceType, Denied);

    EXPECT_EQ(entries.IndexOfSid(StringToSid(Administrators).get()), 2);
    EXPECT_EQ(entries.IndexOfSid(StringToSid(Users).get()), -1);
    entries.Clear();
    EXPECT_EQ(entries.Count(), 0);
}

TEST(SidLookup, FailsForUnknownTexts) {
    EXPECT_EQ(StringToSid(L"Everyone-ish"), nullptr);
    EXPECT_EQ(AccountNameToSid(L"no such account"), nullptr);
    const SecBlock system = AccountNameToSid(L"SYSTEM");
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(SidText(system.get()), System);
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
    const std::vector<Ace> handedOn = {{Allowed, 0, Full, System},
                                       {Allowed, FolderFlags | INHERIT_ONLY_ACE, Full, Everyone}};
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
    }
    ASSERT_EQ(EveryoneWriteGrant(folder.Path()), std::nullopt);
    EXPECT_TRUE(GrantEveryoneFileAccess(folder.Path(), true));
    EXPECT_EQ(EveryoneWriteGrant(folder.Path()), testing_support::kFolderGrantFlags);
    EXPECT_FALSE(GrantEveryoneFile(folder / L"missing.txt"));
    EXPECT_FALSE(GrantEveryoneFile(L""));
}

} // namespace
