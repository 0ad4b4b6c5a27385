// The node model's own operations: linking and freeing, walks, lookups and lazy parsing.
#include "markup/ZelMLUtl.h"

#include "TreeDump.h"

#include <gtest/gtest.h>

namespace {

// A node that counts how many of its kind are alive.
class CountedNode : public TZelMLNode {
public:
    explicit CountedNode(TZelMLDocumentRoot* root) : TZelMLNode(root) { ++alive; }
    ~CountedNode() override { --alive; }
    static int alive;
};
int CountedNode::alive = 0;

TZelMLNode* AddCounted(TZelMLNode& parent) {
    auto node = std::make_unique<CountedNode>(parent.Root);
    TZelMLNode* added = node.get();
    parent.AppendChild(std::move(node));
    return added;
}

std::string ChildNames(TZelMLNode& parent) {
    std::string names;
    for (TZelMLNode* node = parent.FirstChild; node; node = node->NextSibling) {
        EXPECT_EQ(node->Parent, &parent);
        EXPECT_EQ(node->NextSibling ? node->NextSibling->PrevSibling : parent.LastChild, node);
        names += std::string(node->Text.begin(), node->Text.end());
    }
    return names;
}

TEST(MarkupNode, FreeingANodeKeepsItsParentsListLinked) {
    TZelMLDocumentParser parser(true);
    TZelMLDocumentRoot& root = *parser.Root;
    for (const wchar_t* text : {L"a", L"b", L"c", L"d"})
        root.AppendChild(root.CreateNode(mlnText, text));
    delete root.FirstChild->NextSibling; // b, in the middle
    EXPECT_EQ(ChildNames(root), "acd");
    delete root.FirstChild;
    delete root.LastChild;
    EXPECT_EQ(ChildNames(root), "c");
    delete root.FirstChild;
    EXPECT_EQ(root.FirstChild, nullptr);
    EXPECT_EQ(root.LastChild, nullptr);
    EXPECT_FALSE(root.AppendChild(nullptr));
}

TEST(MarkupNode, FreeingANodeFreesItsSubtree) {
    TZelMLDocumentParser parser(true);
    TZelMLNode* top = AddCounted(*parser.Root);
    TZelMLNode* kept = AddCounted(*parser.Root);
    TZelMLNode* child = AddCounted(*top);
    AddCounted(*AddCounted(*child));
    AddCounted(*top);
    ASSERT_EQ(CountedNode::alive, 6);
    delete top;
    EXPECT_EQ(CountedNode::alive, 1);
    EXPECT_EQ(parser.Root->FirstChild, kept);
    parser.SetText(L"<a>");
    EXPECT_EQ(CountedNode::alive, 0);
}

TEST(MarkupNode, WalksInDocumentOrderClimbingOneLevel) {
    TZelMLDocumentParser parser(true);
    parser.SetText(L"<a><b><c></b>d");
    // a { b { c, </b>, d } }: the end tag closes c, and the rest stays inside b.
    TZelMLNode* a = parser.Root->FirstChild;
    TZelMLNode* b = a->FirstChild;
    TZelMLNode* c = b->FirstChild;
    EXPECT_EQ(a->NextInDocument(), b);
    EXPECT_EQ(c->NextInDocument()->GetName(), L"b");
    EXPECT_TRUE(c->IsDescendantOf(a));
    EXPECT_FALSE(a->IsDescendantOf(c));
    EXPECT_FALSE(a->IsDescendantOf(a));
    EXPECT_FALSE(a->IsDescendantOf(nullptr));

    // A leaf whose parent has no next sibling ends the walk, even when a grandparent has one.
    TZelMLDocumentRoot& root = *parser.Root;
    root.Reset();
    root.AppendChild(root.CreateNode(mlnStartTag, L"<x>"));
    root.AppendChild(root.CreateNode(mlnText, L"after"));
    TZelMLNode* x = root.FirstChild;
    x->AppendChild(root.CreateNode(mlnStartTag, L"<y>"));
    x->FirstChild->AppendChild(root.CreateNode(mlnText, L"leaf"));
    EXPECT_EQ(x->FirstChild->FirstChild->NextInDocument(), nullptr);
}

TEST(MarkupNode, MarkupOfAnElementStopsAtItsEndTag) {
    TZelMLDocumentParser parser(true);
    parser.SetText(L"<a><b>x</b>y</a><c/>");
    EXPECT_EQ(parser.Root->FirstChild->GetMarkup(), L"<a><b>x</b>y");
    EXPECT_EQ(parser.Root->FirstChild->FirstChild->GetMarkup(), L"<b>x");
    EXPECT_EQ(parser.Root->LastChild->GetMarkup(), L"<c />");
}

TEST(MarkupRoot, FindElementWalksTheRestOfTheDocument) {
    TZelMLDocumentParser parser(true);
    parser.SetText(L"<?item v='1'?></LANG><language><lang code=en><item/></lang><Lang/>"
                   L"</language>");
    TZelMLDocumentRoot& root = *parser.Root;
    EXPECT_EQ(root.FindElement(L"lang")->Kind, mlnEndTag);
    EXPECT_EQ(root.FindElement(L"ITEM")->Kind, mlnProcessingInstruction);
    TZelMLNode* lang = root.FindElement(L"lang", root.FindElement(L"language"));
    EXPECT_EQ(lang->GetAttributes().GetValue(L"code"), L"en");
    // From inside the first element the walk goes on past its end.
    TZelMLNode* item = root.FindElement(L"item", lang);
    EXPECT_EQ(item->Kind, mlnEmptyTag);
    EXPECT_EQ(root.FindElement(L"lang", item)->Kind, mlnEndTag);
    EXPECT_EQ(root.FindElement(L"LANG", root.FindElement(L"lang", item))->Kind, mlnEmptyTag);
    EXPECT_EQ(root.FindElement(L"missing"), nullptr);
    EXPECT_EQ(root.FindElement(L""), nullptr);
}

TEST(MarkupAttributes, LookUpIgnoringCaseFirstOneWins) {
    TZelMLDocumentParser parser(true);
    parser.SetText(L"<lang code=\"en\" font='Tahoma' CODE=\"de\"><br>");
    TZelMLAttributes& attributes = parser.Root->FirstChild->GetAttributes();
    EXPECT_EQ(attributes.Count(), 3);
    EXPECT_EQ(attributes.GetValue(L"CODE"), L"en");
    EXPECT_EQ(attributes.GetValue(L"Font"), L"Tahoma");
    EXPECT_EQ(attributes.GetValue(L"size"), L"");
    EXPECT_EQ(attributes.Find(L""), nullptr);
    EXPECT_EQ(attributes.Node, parser.Root->FirstChild);

    // A tag without attributes gets its empty list on demand.
    TZelMLNode* br = parser.Root->FirstChild->FirstChild;
    EXPECT_EQ(br->Attributes, nullptr);
    EXPECT_EQ(br->GetAttributes().Count(), 0);
    EXPECT_NE(br->Attributes, nullptr);
    EXPECT_EQ(br->GetAttributes().GetValue(L"x"), L"");
}

TEST(MarkupNode, SettingTextParsesTheTagAgain) {
    TZelMLDocumentParser parser(true);
    auto node = parser.Root->CreateNode(mlnStartTag, L"<a x=1>");
    EXPECT_TRUE(node->NameParsed && node->AttributesParsed);
    EXPECT_EQ(node->AttributeText, L"x=1");
    node->SetText(L"<b y=2 z=3>");
    EXPECT_EQ(node->GetName(), L"b");
    EXPECT_EQ(node->GetAttributes().GetValue(L"z"), L"3");
    EXPECT_EQ(node->GetAttributes().GetValue(L"x"), L"");
    node->Clear();
    EXPECT_EQ(node->Kind, mlnNone);
    EXPECT_EQ(node->GetName(), L"");
    EXPECT_EQ(node->Attributes, nullptr);
    // Text nodes have no name and are never rebuilt.
    node->Assign(mlnText, L"<c d=4>");
    EXPECT_EQ(node->GetName(), L"");
    EXPECT_EQ(node->GetText(), L"<c d=4>");
}

TEST(MarkupParser, ParseReturnsTheFirstNodeItAdded) {
    TZelMLDocumentParser parser(true);
    EXPECT_EQ(parser.Root->Kind, mlnDocument);
    EXPECT_EQ(parser.CodePage, 65001);
    EXPECT_EQ(parser.Encoding, L"utf-8");
    EXPECT_EQ(parser.Parse(*parser.Root, L""), nullptr);

    TZelMLNode* first = parser.Parse(*parser.Root, L"<a>x</a>");
    EXPECT_EQ(first, parser.Root->FirstChild);
    EXPECT_EQ(parser.Root->Kind, mlnNone);

    // Into another root the nodes are appended after what it holds.
    TZelMLDocumentRoot other(&parser);
    other.AppendChild(parser.Root->CreateNode(mlnText, L"kept"));
    TZelMLNode* added = parser.Parse(other, L"<b/><c/>");
    EXPECT_EQ(added->GetName(), L"b");
    EXPECT_EQ(added->Root, parser.Root.get());
    EXPECT_EQ(other.GetMarkup(), L"kept<b /><c />");
    EXPECT_EQ(parser.Root->GetMarkup(), L"<a>x</a>");

    // Parsing into its own root replaces the tree.
    parser.SetText(L"<d/>");
    EXPECT_EQ(parser.GetText(), L"<d />");
    EXPECT_EQ(parser.Text, L"<d/>");
}

} // namespace
