#include "setup/ornLxSetup.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    const wchar_t* package;
    const wchar_t* installed;
    TLxVersionCompare expected;
};

TEST(CompareVersions, DecidesByTheFirstDifferingPartAfterTheCarry) {
    const VersionCase cases[] = {
        {L"2.1.0.5", L"2.1.0.4", vcNewer},
        {L"2.1.0.5", L"2.1.0.5", vcSame},
        {L"2.1.0.5", L"2.2", vcOlder},
        {L"2.1.0.5", L"3.0.0.0", vcOtherMajor},
        {L"2.1.0.5", L"", vcNotInstalled},
        {L"2.1.0.5", L" \t ", vcNotInstalled},
        {L" 2.1 ", L"2.1.0.0", vcSame},
        {L"2.1.0.5.9", L"2.1.0.5", vcSame}, // text after the fourth part is ignored
        {L"1.2a", L"1.0", vcSame},          // an unreadable part is 0
        {L"", L"0.0.0.0", vcSame},
        {L"1.100.0.0", L"1.99.0.0", vcOtherMajor}, // read as 2, -900
        {L"1.100.0.0", L"2.0.0.0", vcOlder},
        {L"1.2.150.0", L"1.2.99.0", vcNewer}, // read as 1, 3, -850
        {L"1.2.150.0", L"1.3.0.0", vcOlder},
        {L"1.99.100.0", L"1.99.0.0", vcNewer}, // the raised second part is not carried again
        {L"1.0.0.100", L"1.0.0.99", vcNewer},  // the fourth part is never carried
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareVersions(c.package, c.installed), c.expected)
            << "package " << testing::PrintToString(std::wstring(c.package)) << " installed "
            << testing::PrintToString(std::wstring(c.installed));
}

} // namespace
