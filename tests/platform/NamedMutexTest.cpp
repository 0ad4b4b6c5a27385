// A named mutex counts as existing whenever its holder has one, also when it refuses this process.
#include "TestSupport.h"
#include "platform/NamedMutex.h"

#include <gtest/gtest.h>

namespace {

using testing_support::HeldMutex;

constexpr wchar_t kName[] = L"PagrionNamedMutexTest";

TEST(NamedMutex, ExistsWhileHeldWhateverItsAccess) {
    EXPECT_FALSE(NamedMutexExists(kName));
    for (const HeldMutex::Access access : {HeldMutex::OpenToAll, HeldMutex::RefusingAll}) {
        {
            const HeldMutex held(kName, access);
            ASSERT_TRUE(held.Held());
            EXPECT_TRUE(NamedMutexExists(kName)) << access;
        }
        EXPECT_FALSE(NamedMutexExists(kName)) << access;
    }
}

} // namespace
