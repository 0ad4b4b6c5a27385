// A document may nest as deep as it likes: loading, walking, dumping and freeing it loop
// instead of recursing once per level.
#include "markup/ZelMLUtl.h"

#include "TestSupport.h"
#include "TreeDump.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The bytes of stack below the caller, down to the end of the thread's stack.
size_t StackLeft() {
    char here = 0;
    MEMORY_BASIC_INFORMATION region;
    VirtualQuery(&here, &region, sizeof region);
    return static_cast<size_t>(&here - static_cast<char*>(region.AllocationBase));
}

DWORD WINAPI RunWork(void* work) {
    // Use up all but 128 KB of the stack: one step of recursion per level of a
    // 100,000-level document would need several times that.
    constexpr size_t keep = 128 * 1024;
    const size_t left = StackLeft();
    volatile char* filler = static_cast<char*>(__builtin_alloca(left > keep ? left - keep : 1));
    filler[0] = 0;
    (*static_cast<const std::function<void()>*>(work))();
    return 0;
}

// Runs work on a thread of its own that leaves it only a small stack.
void RunOnSmallStack(const std::function<void()>& work) {
    HANDLE thread =
        CreateThread(nullptr, 0, RunWork, const_cast<std::function<void()>*>(&work), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

TEST(DeepNesting, HundredThousandUnclosedTagsLoadDumpAndFree) {
    constexpr int depth = 100000;
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    text += "x";
    testing_support::ScratchFolder folder;
    testing_support::WriteBytes(folder / L"deep.dat", text);

    bool loaded = false;
    int records = 0;
    int deepest = -1;
    std::string deepestRecord;
    bool leafInside = false;
    const TZelMLNode* found = nullptr;
    std::wstring markup;
    bool freed = false; // a stack overflow ends the thread before this is set
    RunOnSmallStack([&] {
        auto parser = std::make_unique<TZelMLDocumentParser>(true);
        loaded = parser->LoadFromFile(folder / L"deep.dat");
        DumpTree(*parser, [&](int level, std::string_view record) {
            ++records;
            if (level > deepest) {
                deepest = level;
                deepestRecord = record;
            }
        });
        TZelMLNode* leaf = parser->Root.get();
        while (leaf->LastChild)
            leaf = leaf->LastChild;
        leafInside = leaf->IsDescendantOf(parser->Root.get());
        found = parser->Root->FindElement(L"b");
        markup = parser->GetText();
        parser.reset();
        freed = true;
    });

    ASSERT_TRUE(loaded);
    EXPECT_EQ(records, depth + 3); // the encoding, every node, the markup
    EXPECT_EQ(deepest, depth);
    EXPECT_EQ(deepestRecord, "mlnNone \"x\"");
    EXPECT_TRUE(leafInside);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(markup, std::wstring(text.begin(), text.end()));
    EXPECT_TRUE(freed);
}

} // namespace
