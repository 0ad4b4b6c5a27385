#include "setup/ZelCmdUtl.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::wstring>;

TEST(SplitCommandLine, SeparatesAtControlCharactersAndBlanks) {
    EXPECT_EQ(SplitCommandLine(L"prog.exe  -a\t/b\x01x"), (Args{L"prog.exe", L"-a", L"/b", L"x"}));
}

TEST(SplitCommandLine, QuotedStretchesKeepBlanksAndLoseTheirQuotes) {
    EXPECT_EQ(SplitCommandLine(L"\"C:\\Program Files\\s.exe\" \"-LANG:en\" -OVWPROGRESS"),
              (Args{L"C:\\Program Files\\s.exe", L"-LANG:en", L"-OVWPROGRESS"}));
    EXPECT_EQ(SplitCommandLine(L"p -e:\"C:\\a b\"\\c"), (Args{L"p", L"-e:C:\\a b\\c"}));
}

TEST(SplitCommandLine, EmptyQuotedArgumentIsSkipped) {
    EXPECT_EQ(SplitCommandLine(L"p \"\" x \"\""), (Args{L"p", L"x"}));
}

TEST(SplitCommandLine, UnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(SplitCommandLine(L"p \"a b"), (Args{L"p", L"a b"}));
}

struct ParseCase {
    Args arguments;
    std::vector<TZelCmdOptionItem> items;
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, BuildsTheItemsInOrder) {
    TZelCmdOptionCollection options(false);
    Args arguments{L"prog.exe"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    options.ParseArguments(arguments);
    ASSERT_EQ(options.Items.size(), GetParam().items.size());
    for (size_t i = 0; i < options.Items.size(); ++i) {
        EXPECT_EQ(options.Items[i]->Prefix, GetParam().items[i].Prefix) << i;
        EXPECT_EQ(options.Items[i]->Name, GetParam().items[i].Name) << i;
        EXPECT_EQ(options.Items[i]->Value, GetParam().items[i].Value) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, ParseTest,
    ::testing::Values(
        ParseCase{{L"-LANG:en"}, {{L"-", L"LANG", L"en"}}},
        ParseCase{{L"/LANG:en"}, {{L"/", L"LANG", L"en"}}},
        ParseCase{{L"-LANG", L"en"}, {{L"-", L"LANG", L"en"}}},
        ParseCase{{L"-SET", L"-OVWPROGRESS"}, {{L"-", L"SET", L""}, {L"-", L"OVWPROGRESS", L""}}},
        ParseCase{{L"-SET:"}, {{L"-", L"SET", L""}}}, ParseCase{{L"--SET"}, {{L"-", L"-SET", L""}}},
        ParseCase{{L"LANG:en"}, {{L"", L"", L"LANG:en"}}},
        ParseCase{{L"-e:C:\\dir"}, {{L"-", L"e", L"C:\\dir"}}},
        ParseCase{{L"-a", L"-b:1", L"x", L"y"},
                  {{L"-", L"a", L""}, {L"-", L"b", L"1"}, {L"", L"", L"x"}, {L"", L"", L"y"}}},
        ParseCase{{L"", L"-a", L""}, {{L"-", L"a", L""}}}, ParseCase{{}, {}}));

TEST(FindOption, IgnoresCaseAndNeedsANameAndTheWholePrefixCut) {
    TZelCmdOptionCollection options(false);
    options.ParseArguments({L"p", L"-lang:EN", L"--SET", L"plain"});
    ASSERT_NE(options.Find(L"LANG"), nullptr);
    EXPECT_EQ(options.Find(L"LANG")->Value, L"EN");
    EXPECT_EQ(options.Find(L"SET"), nullptr);
    EXPECT_EQ(options.Find(L""), nullptr);
    options.CaseSensitive = true;
    EXPECT_EQ(options.Find(L"LANG"), nullptr);
    EXPECT_NE(options.Find(L"lang"), nullptr);
}

TEST(FindOption, EmptyCommandLineFindsNothing) {
    TZelCmdOptionCollection options(false);
    options.ParseArguments({L"p"});
    EXPECT_TRUE(options.Items.empty());
    EXPECT_EQ(options.Find(L"SET"), nullptr);
}

TEST(SplitPrefix, TakesTheFirstListedPrefixExactly) {
    TZelCmdOptionCollection options(false);
    options.Prefixes = L"--;-";
    std::wstring prefix, rest;
    options.SplitPrefix(L"--x", prefix, rest);
    EXPECT_EQ(prefix, L"--");
    EXPECT_EQ(rest, L"x");
    options.SplitPrefix(L"x-", prefix, rest);
    EXPECT_EQ(prefix, L"");
    EXPECT_EQ(rest, L"x-");
}

TEST(SplitSeparator, CutsAtTheFirstOccurrenceOfTheFirstListedSeparatorFound) {
    TZelCmdOptionCollection options(false);
    options.Separators = L"=;:";
    bool found = false;
    std::wstring name, value;
    options.SplitSeparator(L"a:b=c=d", found, name, value);
    EXPECT_TRUE(found);
    EXPECT_EQ(name, L"a:b");
    EXPECT_EQ(value, L"c=d");
    options.SplitSeparator(L"abc", found, name, value);
    EXPECT_FALSE(found);
}

} // namespace
