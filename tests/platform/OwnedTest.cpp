// The one owner of handles: whatever it holds is closed exactly once, by whoever holds it last,
// and never a value that holds nothing.
#include "platform/Owned.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Values 1 and up are handles; 0 and -1 hold nothing, as null and INVALID_HANDLE_VALUE do.
std::vector<int> closed;

struct CountingTraits {
    using Raw = int;
    static bool Holds(int value) { return value > 0; }
    static void Close(int value) { closed.push_back(value); }
};
using Owned = TZelOwned<CountingTraits>;

class OwnedHandle : public ::testing::Test {
protected:
    void SetUp() override { closed.clear(); }
};

TEST_F(OwnedHandle, ClosesWhatItHoldsOnceWhereverItMoved) {
    {
        Owned first(1);
        Owned second(std::move(first));
        EXPECT_FALSE(first.Valid());
        Owned third(2);
        third = std::move(second); // closes 2, takes 1
        EXPECT_EQ(closed, std::vector<int>{2});
        EXPECT_EQ(third.Get(), 1);
    }
    EXPECT_EQ(closed, (std::vector<int>{2, 1}));
}

TEST_F(OwnedHandle, ResetClosesTheOldValueAndReleaseGivesUpOwnership) {
    Owned owner(3);
    owner.Reset(4);
    EXPECT_EQ(closed, std::vector<int>{3});
    EXPECT_EQ(owner.Release(), 4);
    EXPECT_FALSE(owner.Valid());
    owner.Reset();
    EXPECT_EQ(closed, std::vector<int>{3});
}

TEST_F(OwnedHandle, AValueThatHoldsNothingIsNeverClosed) {
    {
        Owned failed(-1);
        EXPECT_FALSE(failed.Valid());
        EXPECT_EQ(failed.Get(), 0) << "a failed call's answer leaves the owner empty";
        Owned none;
        none.Reset(-1);
    }
    EXPECT_TRUE(closed.empty());
}

TEST(KernelHandleOwner, HoldsNeitherNullNorTheInvalidValue) {
    EXPECT_FALSE(TZelHandle(nullptr).Valid());
    EXPECT_FALSE(TZelHandle(INVALID_HANDLE_VALUE).Valid());
    const TZelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event.Valid());
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(event.Get(), &flags));
}

} // namespace
