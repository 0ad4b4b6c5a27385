// The definition-file inspector as a person runs it: its output byte for byte and its exit codes.
#include "DumpQuote.h"
#include "DatCheckRun.h"
#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace testing_support;

class DatCheck : public ::testing::Test {
protected:
    // Runs the inspector in the scratch folder.
    uint32_t Run(const std::wstring& arguments, std::string& output) {
        return RunInspector(arguments, folder, output);
    }

    ScratchFolder folder;
};

TEST_F(DatCheck, TreeOfTheFormatExample) {
    WriteBytes(folder / L"example.dat", "<a x='1' y=2 z>t</a>");
    std::string output;
    EXPECT_EQ(Run(L"--tree example.dat", output), 0u);
    EXPECT_EQ(output,
              "encoding codepage=0 name=\"\"\n"
              "mlnStartTag \"<a x='1' y=2 z>\" name=\"a\" attrs=[\"x\"=\"1\" \"y\"=\"2\" \" z\"]\n"
              "  mlnText \"t\"\n"
              "mlnEndTag \"</a>\" name=\"a\" attrs=[]\n"
              "markup \"<a x=\\\"1\\\" y=\\\"2\\\" z>t</a>\"\n");
}

TEST_F(DatCheck, TreeShowsTheDeclaredEncodingAndEscapesWhatIsNotAscii) {
    WriteBytes(folder / L"lang.dat", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
                                     "<lang en=\"Fran\xE7"
                                     "ais\">\r\n\tx\r\ny</lang>\r\n");
    std::string output;
    EXPECT_EQ(Run(L"--tree \"" + folder / L"lang.dat" + L"\"", output), 0u);
    EXPECT_EQ(
        output,
        "encoding codepage=1252 name=\"windows-1252\"\n"
        "mlnProcessingInstruction \"<?xml version=\\\"1.0\\\" encoding=\\\"windows-1252\\\"?>\" "
        "name=\"xml\" attrs=[\"version\"=\"1.0\" \"encoding\"=\"windows-1252\"]\n"
        "mlnStartTag \"<lang en=\\\"Fran\\u00E7ais\\\">\" name=\"lang\" "
        "attrs=[\"en\"=\"Fran\\u00E7ais\"]\n"
        "  mlnText \"\\r\\n\\tx\\r\\ny\"\n"
        "mlnEndTag \"</lang>\" name=\"lang\" attrs=[]\n"
        "markup \"<?xml version=\\\"1.0\\\" encoding=\\\"windows-1252\\\" ?>"
        "<lang en=\\\"Fran\\u00E7ais\\\">\\r\\n\\tx\\r\\ny</lang>\"\n");
}

// A file nested deeper than 31 levels names the level of each deeper line instead of indenting
// it, so that the dump of 100,000 levels stays a few megabytes instead of ten gigabytes.
TEST_F(DatCheck, TreeOfADeepFileNamesTheLevelsFrom32On) {
    constexpr int depth = 100000;
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    WriteBytes(folder / L"deep.dat", text);
    std::string output;
    ASSERT_EQ(Run(L"--tree deep.dat", output), 0u);

    const std::vector<std::string> lines = testing_support::SplitLines(output, "\n");
    ASSERT_EQ(lines.size(), depth + 2u); // the encoding, every node, the markup
    const std::string record = "mlnStartTag \"<a>\" name=\"a\" attrs=[]";
    EXPECT_EQ(lines[1], record);
    EXPECT_EQ(lines[1 + 31], std::string(62, ' ') + record);
    EXPECT_EQ(lines[1 + 32], "@32 " + record);
    EXPECT_EQ(lines[depth], "@99999 " + record);
    EXPECT_LT(output.size(), 64u * depth);
}

TEST_F(DatCheck, ExitCodes) {
    struct Case {
        std::wstring arguments;
        uint32_t exitCode;
        std::string outputStart;
    };
    for (const Case& c :
         {Case{L"--tree missing.dat", 1, "load failed\n"}, Case{L"--help", 0, "datcheck - "},
          Case{L"--fit missing.dat", 1, "loaded 0\n"}, Case{L"", 2, ""}, Case{L"--tree", 2, ""},
          Case{L"--tree a b", 2, ""}, Case{L"--fit", 2, ""}}) {
        std::string output;
        EXPECT_EQ(Run(c.arguments, output), c.exitCode) << Utf8(c.arguments);
        EXPECT_EQ(output.substr(0, c.outputStart.size()), c.outputStart) << Utf8(c.arguments);
        EXPECT_EQ(output.find('\r'), std::string::npos) << Utf8(c.arguments);
    }
}

struct QuoteCase {
    std::wstring text;
    std::string quoted;
};

class DumpQuote : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(DumpQuote, EscapesAsTheFormatSays) {
    EXPECT_EQ(QuoteText(GetParam().text), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(Units, DumpQuote,
                         ::testing::Values(QuoteCase{L"", "\"\""}, QuoteCase{L" az~", "\" az~\""},
                                           QuoteCase{L"a\\b\"c", "\"a\\\\b\\\"c\""},
                                           QuoteCase{L"\r\n\t", "\"\\r\\n\\t\""},
                                           QuoteCase{std::wstring(L"\0\x01\x1F\x7F", 4),
                                                     "\"\\u0000\\u0001\\u001F\\u007F\""},
                                           QuoteCase{L"\u00e9\uFFFF\U0001F600",
                                                     "\"\\u00E9\\uFFFF\\uD83D\\uDE00\""}));

} // namespace

// Files covering every node kind, the encoding branches and every catalogue field, each with the
// inspector's output expected for it: "tree-*.dat" through --tree, "catalogue-*.dat" as a
// catalogue.
TEST_F(DatCheck, ShowsTheSampleFilesAsExpected) {
    const std::wstring samples = ProgramFolder() + L"inspector\\";
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((samples + L"*.dat").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no sample files beside the test program";
    int checked = 0;
    do {
        const std::wstring name = entry.cFileName;
        SCOPED_TRACE(Utf8(name));
        const std::wstring stem = name.substr(0, name.size() - 4);
        const std::wstring mode = name.starts_with(L"tree-") ? L"--tree " : L"";
        std::string output;
        Run(mode + L"\"" + samples + name + L"\"", output);
        EXPECT_EQ(output, ReadBytes(samples + stem + L".expected"));
        ++checked;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    EXPECT_GE(checked, 2);
}
