// The parser, seen through the inspector's node dump: each case is a text and the tree it gives.
#include "markup/ZelMLUtl.h"

#include "TreeDump.h"

#include <gtest/gtest.h>

namespace {

std::string Tree(const std::wstring& text, bool trimWhitespace = true) {
    TZelMLDocumentParser parser(trimWhitespace);
    parser.SetText(text);
    return NodeDumpText(*parser.Root);
}

struct TreeCase {
    std::wstring text;
    std::string tree;
};

class ParserTree : public ::testing::TestWithParam<TreeCase> {};

TEST_P(ParserTree, BuildsTheTree) {
    EXPECT_EQ(Tree(GetParam().text), GetParam().tree) << testing::PrintToString(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Constructs, ParserTree,
    ::testing::Values(
        TreeCase{L"", ""},
        TreeCase{
            L"<a x='1' y=2 z>t</a>",
            "mlnStartTag \"<a x='1' y=2 z>\" name=\"a\" attrs=[\"x\"=\"1\" \"y\"=\"2\" \" z\"]\n"
            "  mlnText \"t\"\n"
            "mlnEndTag \"</a>\" name=\"a\" attrs=[]\n"},
        TreeCase{L"<language>\r\n<lang code=\"en\">English</lang>\r\n<lang code=\"ja\"/>\r\n"
                 L"</language>\r\n",
                 "mlnStartTag \"<language>\" name=\"language\" attrs=[]\n"
                 "  mlnStartTag \"<lang code=\\\"en\\\">\" name=\"lang\" attrs=[\"code\"=\"en\"]\n"
                 "    mlnText \"English\"\n"
                 "  mlnEndTag \"</lang>\" name=\"lang\" attrs=[]\n"
                 "  mlnEmptyTag \"<lang code=\\\"ja\\\"/>\" name=\"lang\" attrs=[\"code\"=\"ja\"]\n"
                 "mlnEndTag \"</language>\" name=\"language\" attrs=[]\n"},
        // Processing instructions, declarations and CDATA sections; the CDATA section leaves
        // the scan state alone.
        TreeCase{L"<?xml version='1.0' encoding='utf-8'?><!DOCTYPE html><![CDATA[<x>]]>",
                 "mlnProcessingInstruction \"<?xml version='1.0' encoding='utf-8'?>\" name=\"xml\" "
                 "attrs=[\"version\"=\"1.0\" \"encoding\"=\"utf-8\"]\n"
                 "mlnDeclaration \"<!DOCTYPE html>\" name=\"DOCTYPE\" attrs=[\"html\"]\n"
                 "mlnCData \"<![CDATA[<x>]]>\"\n"},
        TreeCase{L"<!></><?>", "mlnDeclaration \"<!>\" name=\"\" attrs=[]\n"
                               "mlnEndTag \"</>\" name=\"\" attrs=[]\n"
                               "mlnProcessingInstruction \"<?>\" name=\"\" attrs=[]\n"},
        TreeCase{L"< a>", "mlnStartTag \"< a>\" name=\" a\" attrs=[]\n"},
        // Empty tags open nothing.
        TreeCase{L"<p><br/><br /><a href=x/></p>",
                 "mlnStartTag \"<p>\" name=\"p\" attrs=[]\n"
                 "  mlnEmptyTag \"<br/>\" name=\"br\" attrs=[]\n"
                 "  mlnEmptyTag \"<br />\" name=\"br\" attrs=[]\n"
                 "  mlnEmptyTag \"<a href=x/>\" name=\"a\" attrs=[\"href\"=\"x\"]\n"
                 "mlnEndTag \"</p>\" name=\"p\" attrs=[]\n"},
        // An end tag closes one level whatever its name; unclosed elements stay open.
        TreeCase{L"<a>x</b>", "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"
                              "  mlnText \"x\"\n"
                              "mlnEndTag \"</b>\" name=\"b\" attrs=[]\n"},
        TreeCase{L"<a><b></a>x<c>", "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"
                                    "  mlnStartTag \"<b>\" name=\"b\" attrs=[]\n"
                                    "  mlnEndTag \"</a>\" name=\"a\" attrs=[]\n"
                                    "  mlnText \"x\"\n"
                                    "  mlnStartTag \"<c>\" name=\"c\" attrs=[]\n"},
        TreeCase{L"</x>", "mlnEndTag \"</x>\" name=\"x\" attrs=[]\n"},
        // Text before the first construct and the unscanned rest are of kind none; text after
        // a stray ">" is text.
        TreeCase{L"x>y", "mlnNone \"x>\"\nmlnNone \"y\"\n"},
        TreeCase{L"x>y<a>", "mlnNone \"x>\"\nmlnText \"y\"\n"
                            "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"},
        TreeCase{L"<a><b c=\"1\"", "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"
                                   "  mlnNone \"<b c=\\\"1\\\"\"\n"},
        // A ">" ends a tag even inside quotes; a "<" starts one even inside a tag.
        TreeCase{L"<a title=\"x>y\">", "mlnStartTag \"<a title=\\\"x>\" name=\"a\" "
                                       "attrs=[\"title\"=\"\\\"x\"]\n"
                                       "  mlnText \"y\\\">\"\n"},
        TreeCase{L"<a b<c>", "mlnStartTag \"<a b\" name=\"a\" attrs=[\"b\"]\n"
                             "  mlnStartTag \"<c>\" name=\"c\" attrs=[]\n"},
        // Comments: in place after a construct; otherwise carried to the next node, the text
        // before them in front of that node, the comment after it.
        TreeCase{L"<a>x<!--c-->y</a>", "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"
                                       "  mlnText \"x\"\n"
                                       "  mlnComment \"<!--c-->\"\n"
                                       "  mlnText \"y\"\n"
                                       "mlnEndTag \"</a>\" name=\"a\" attrs=[]\n"},
        TreeCase{L"<!-- c --><root/>", "mlnEmptyTag \"<root/>\" name=\"root\" attrs=[]\n"
                                       "mlnComment \"<!-- c -->\"\n"},
        TreeCase{L"<!-- c --><root>", "mlnStartTag \"<root>\" name=\"root\" attrs=[]\n"
                                      "  mlnComment \"<!-- c -->\"\n"},
        TreeCase{L"<a <!--c--> b>", "mlnStartTag \"<a  b>\" name=\"a\" attrs=[\"b\"]\n"
                                    "  mlnComment \"<!--c-->\"\n"},
        TreeCase{L"x <!-- c --><a>", "mlnStartTag \"x <a>\" name=\"x\" attrs=[\"<a\"]\n"
                                     "  mlnComment \"<!-- c -->\"\n"},
        TreeCase{L"\r\n <!-- c -->\r\n<a>", "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"
                                            "  mlnComment \"<!-- c -->\"\n"},
        TreeCase{L"<!-- c -->", ""}, TreeCase{L"text <!-- c", ""},
        // Style and script content is not parsed; its lines are trimmed.
        TreeCase{L"<style>\n  a { }\n\n  <b>\n</style>",
                 "mlnStartTag \"<style>\" name=\"style\" attrs=[]\n"
                 "  mlnStyleText \"a { }\\r\\n<b>\\r\\n\"\n"
                 "mlnEndTag \"</style>\" name=\"style\" attrs=[]\n"},
        TreeCase{L"<SCRIPT>if (a</b) x();</Script>",
                 "mlnStartTag \"<SCRIPT>\" name=\"SCRIPT\" attrs=[]\n"
                 "  mlnScriptText \"if (a</b) x();\\r\\n\"\n"
                 "mlnEndTag \"</Script>\" name=\"Script\" attrs=[]\n"},
        TreeCase{L"<style>a<b>", "mlnStartTag \"<style>\" name=\"style\" attrs=[]\n"
                                 "  mlnStyleText \"a<b>\\r\\n\"\n"},
        // Every line break becomes CR LF; a NUL character ends the text.
        TreeCase{L"<a>1\r2\n3\r\n4\n\r5\r\r6</a>",
                 "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"
                 "  mlnText \"1\\r\\n2\\r\\n3\\r\\n4\\r\\n5\\r\\n\\r\\n6\"\n"
                 "mlnEndTag \"</a>\" name=\"a\" attrs=[]\n"},
        TreeCase{std::wstring(L"<a>x\0<b>", 8), "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"
                                                "  mlnNone \"x\"\n"}));

TEST(ParserTree, WithoutTrimmingBlankTextMakesNodes) {
    EXPECT_EQ(Tree(L"<a>\n<b/>", false), "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n"
                                         "  mlnText \"\\r\\n\"\n"
                                         "  mlnEmptyTag \"<b/>\" name=\"b\" attrs=[]\n");
    EXPECT_EQ(Tree(L" <!-- c --> <a>", false), "mlnNone \"  \"\n"
                                               "mlnComment \"<!-- c -->\"\n"
                                               "mlnStartTag \"<a>\" name=\"a\" attrs=[]\n");
}

// Attribute tokens and their values: how a tag's attribute text falls apart.
struct AttributeCase {
    std::wstring tag;
    std::string attributes;
};

class TagAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(TagAttributes, AreReadAsShown) {
    const std::string tree = Tree(GetParam().tag);
    const size_t attrs = tree.find(" attrs=");
    ASSERT_NE(attrs, std::string::npos) << tree;
    EXPECT_EQ(tree.substr(attrs + 7), GetParam().attributes + "\n")
        << testing::PrintToString(GetParam().tag);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, TagAttributes,
    ::testing::Values(
        AttributeCase{L"<x>", "[]"}, AttributeCase{L"<x a=1 b>", "[\"a\"=\"1\" \" b\"]"},
        AttributeCase{L"<x name=\"a b\" n2='c d'>", "[\"name\"=\"a b\" \"n2\"=\"c d\"]"},
        AttributeCase{L"<x b = \"x\">", "[\"b\" \"\"=\"\" \" \\\"x\\\"\"]"},
        AttributeCase{L"<x a=\"1\"b=\"2\"  c=x\"y>", "[\"a\"=\"1\" \"b\"=\"2\" \"c\"=\"x\\\"y\"]"},
        AttributeCase{L"<x a=\"1 2>", "[\"a\"=\"\\\"1 2\"]"},
        AttributeCase{L"<x a== b=\"\" c=''>", "[\"a\"=\"=\" \"b\"=\"\" \"c\"=\"\"]"},
        AttributeCase{L"<x\r\n a='1'\r\n\tb='2'>", "[\"a\"=\"1\" \"b\"=\"2\"]"},
        // Values are trimmed inside their quotes; only a reference makes a blank that stays.
        AttributeCase{L"<lang lcid=\" 0409\" code=\" en \" v=\"&#32;0409\">",
                      "[\"lcid\"=\"0409\" \"code\"=\"en\" \"v\"=\" 0409\"]"},
        AttributeCase{L"<x t=\"a &amp; b\" c=&copy; d='Q&A'>",
                      "[\"t\"=\"a & b\" \"c\"=\"\\u00A9\" \"d\"=\"Q&A\"]"},
        AttributeCase{L"<x a=1 a=2 =3 \"q\">",
                      "[\"a\"=\"1\" \"a\"=\"2\" \"\"=\"3\" \" \\\"q\\\"\"]"}));

// The markup rebuilt from the tree: tags normalised, everything else as written.
struct MarkupCase {
    std::wstring text;
    std::wstring markup;
};

class RebuiltMarkup : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(RebuiltMarkup, IsNormalised) {
    TZelMLDocumentParser parser(true);
    parser.SetText(GetParam().text);
    EXPECT_EQ(parser.GetText(), GetParam().markup);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, RebuiltMarkup,
    ::testing::Values(MarkupCase{L"<?xml version='1.0' encoding='utf-8'?>",
                                 L"<?xml version=\"1.0\" encoding=\"utf-8\" ?>"},
                      MarkupCase{L"<a x='1' y=2 z>t</a>", L"<a x=\"1\" y=\"2\" z>t</a>"},
                      MarkupCase{L"<a><b>x</a>\r\n<br/><!DOCTYPE  html>",
                                 L"<a><b>x</a><br /><!DOCTYPE html>"},
                      MarkupCase{L"<x t='a &amp; b' c=&copy; e=\"\" v=\" &#32;a \">",
                                 L"<x t=\"a &amp; b\" c=\"\u00A9\" e=\"\" v=\" a\">"},
                      MarkupCase{L"<x b = \"x\" =y>", L"<x b = \"x\" =y>"},
                      MarkupCase{L"x>y<!-- c --><![CDATA[<&>]]>", L"x>y<!-- c --><![CDATA[<&>]]>"},
                      MarkupCase{L"<!-- c --><root/>", L"<root /><!-- c -->"}));

TEST(RebuiltMarkup, ReplacesTheStoredTextOfTags) {
    TZelMLDocumentParser parser(true);
    parser.SetText(L"<a  x='1'>t</a >");
    parser.GetText();
    EXPECT_EQ(NodeDumpText(*parser.Root), "mlnStartTag \"<a x=\\\"1\\\">\" name=\"a\" "
                                          "attrs=[\"x\"=\"1\"]\n"
                                          "  mlnText \"t\"\n"
                                          "mlnEndTag \"</a>\" name=\"a\" attrs=[]\n");
}

} // namespace
