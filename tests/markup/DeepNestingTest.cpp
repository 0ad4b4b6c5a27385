// A document may nest as deep as it likes: loading, walking, dumping and freeing it loop
// instead of recursing once per level.
#include "markup/ZelMLUtl.h"

#include "TreeDump.h"

#include <gtest/gtest.h>

namespace {

TEST(DeepNesting, HundredThousandUnclosedTagsLoadDumpAndFree) {
    constexpr int depth = 100000;
    std::wstring text;
    for (int i = 0; i < depth; ++i)
        text += L"<a>";
    text += L"x";

    auto parser = std::make_unique<TZelMLDocumentParser>(true);
    parser->SetText(text);

    int records = 0;
    int deepest = -1;
    DumpTree(*parser, [&](int level, std::string_view record) {
        ++records;
        deepest = std::max(deepest, level);
        if (level == depth) {
            EXPECT_EQ(record, "mlnNone \"x\"");
        }
    });
    EXPECT_EQ(records, depth + 3); // the encoding, every node, the markup
    EXPECT_EQ(deepest, depth);

    TZelMLNode* leaf = parser->Root->LastChild;
    while (leaf->LastChild)
        leaf = leaf->LastChild;
    EXPECT_TRUE(leaf->IsDescendantOf(parser->Root.get()));
    EXPECT_EQ(parser->Root->FindElement(L"b"), nullptr);
    EXPECT_EQ(parser->GetText(), text);

    parser.reset();
}

} // namespace
