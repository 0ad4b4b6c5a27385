// The catalogue as the launcher reads a definition file, seen through the inspector's catalogue
// view: attributes, dropped languages, texts, pruning and the proposed language.
#include "CatalogueDump.h"
#include "DumpQuote.h"
#include "TestSupport.h"

#include "language/LanguageChoice.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

using namespace testing_support;

// The catalogue view of a definition file written into a scratch folder, with the installer
// packages it names beside it.
class Catalogue : public ::testing::Test {
protected:
    std::string Dump(const std::string& datText, uint16_t installedLanguage = 0,
                     uint16_t userLanguage = 0) {
        WriteBytes(folder / L"PagrionSetup.dat", datText);
        const CatalogueDump dump =
            DumpCatalogue(folder / L"PagrionSetup.dat", installedLanguage, userLanguage);
        anyKept = dump.anyKept;
        return dump.text;
    }

    void AddPackage(const std::wstring& name) { WriteBytes(folder / name, "MZ"); }

    ScratchFolder folder;
    bool anyKept = false;
};

// The lines of text that start with prefix.
std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    for (const std::string& line : testing_support::SplitLines(text, "\n"))
        if (line.starts_with(prefix))
            lines.push_back(line);
    return lines;
}

TEST_F(Catalogue, ReadsEveryAttributeOfALanguage) {
    EXPECT_EQ(
        Dump("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
             "<Language>\r\n"
             "  <LANG Code=\"en\" LCID=\"0409\" lang=\"1FF\" langid=\"12345\" engid=\"-12\"\r\n"
             "        tabstyle=\"1F\" dllang=\" en \" dlhost=\"host\" dlpath=\"  /p/  \"\r\n"
             "        dlfile=\"f.exe\" font=\"No Such Family;IPAPGothic\" charset=\"80\"\r\n"
             "        size=\"9\" en=\"Eng lish\" code=\"second\">\r\n"
             "  </LANG>\r\n"
             "</Language>\r\n"),
        "loaded 1\n"
        "lang code=\"en\" lcid=00000409 lang=FF langid=2345 engid=-12 tabstyle=F "
        "dllang=\"en\" dlhost=\"host\" dlpath=\"/p/\" dlfile=\"f.exe\" en=\"Eng lish\" "
        "localevalid=1\n"
        "  font name=\"IPAPGothic\" charset=80 size=9\n"
        "  file=\"\" title=\"\" start=\"\" cancel=\"\" engvew=\"\" engman=\"\" engsta=\"\" "
        "engist=\"\"\n"
        "  msg100=\"\" msg101=\"\" msg102=\"\" msg103=\"\"\n"
        "prune 0 dropped no-file\n"
        "default -1\n");
    EXPECT_FALSE(anyKept);
}

TEST_F(Catalogue, ReadsHexadecimalOnlyAsBareDigits) {
    const std::string dump = Dump("<language>"
                                  "<lang code=\"a\" langid=\"9\" lcid=\"0x0409\" tabstyle=\"10\"/>"
                                  "<lang code=\"b\" langid=\"9\" lcid=\"$0409\" tabstyle=\"5\"/>"
                                  "<lang code=\"c\" langid=\"9\" lcid=\"&#32;0409\" engid=\"x10\"/>"
                                  "<lang code=\"&#32;d \" langid=\"9\" engid=\"1 2\"/>"
                                  "<lang code=\"e\" langid=\"11\" lcid=\"411\" lang=\"-1\"/>"
                                  "</language>");
    const std::vector<std::string> expected = {
        "lang code=\"a\" lcid=00000000 lang=00 langid=0009 engid=0 tabstyle=0 ",
        "lang code=\"b\" lcid=00000000 lang=00 langid=0009 engid=0 tabstyle=5 ",
        "lang code=\"c\" lcid=00000000 lang=00 langid=0009 engid=16 tabstyle=0 ",
        "lang code=\" d\" lcid=00000000 lang=00 langid=0009 engid=0 tabstyle=0 ",
        "lang code=\"e\" lcid=00000411 lang=00 langid=0011 engid=0 tabstyle=0 ",
    };
    const auto lines = LinesStartingWith(dump, "lang ");
    ASSERT_EQ(lines.size(), expected.size()) << dump;
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].substr(0, expected[i].size()), expected[i]);
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool valid = i == lines.size() - 1;
        EXPECT_TRUE(lines[i].ends_with(valid ? "localevalid=1" : "localevalid=0")) << lines[i];
    }
}

TEST_F(Catalogue, LeavesOutLanguagesWithoutCodeOrLanguageValue) {
    const std::string dump = Dump("<lang code=\"before\" langid=\"9\"/>\r\n"
                                  "<language>\r\n"
                                  " <lang code=\"zero\" langid=\"0\"></lang>\r\n"
                                  " <lang code=\"empty\" langid=\"\"></lang>\r\n"
                                  " <lang code=\"nothex\" langid=\"zz\"></lang>\r\n"
                                  " <lang langid=\"9\"></lang>\r\n"
                                  " <language code=\"other element\" langid=\"9\"/>\r\n"
                                  " <lang code=\"kept\" langid=\"9\"><lang code=\"inner\" "
                                  "langid=\"9\"/></lang>\r\n"
                                  "</language>\r\n"
                                  "<lang code=\"after\" langid=\"9\"/>\r\n");
    EXPECT_EQ(dump.substr(0, 9), "loaded 1\n");
    const auto lines = LinesStartingWith(dump, "lang ");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 17), "lang code=\"kept\" ");
}

TEST_F(Catalogue, ReadsTheTextsOfALanguage) {
    AddPackage(L"pkg.exe");
    const std::string dump =
        Dump("<language><lang code=\"en\" lcid=\"0409\" langid=\"9\" font=\"IPAPGothic\">\r\n"
             "<item name=\"file\" value=\"pkg.exe\"/>\r\n"
             "<item name=\"TITLE\" value=\"Setup\\nof\\Nthe viewer\"/>\r\n"
             "<item name=\"&#32;title\" value=\"not a keyword\"/>\r\n"
             "<item name=\"start\" value=\"first\"/><item name=\"Start\" value=\"second\"/>\r\n"
             "<item name=\"cancel\" value=\"a\\\\nb\"/>\r\n"
             "<item name=\"engvew\" value=\"v\"/><item name=\"engman\" value=\"m\"/>\r\n"
             "<item name=\"engsta\" value=\"s\"/><item name=\"engist\" value=\"i\"/>\r\n"
             "<item name=\"&#32;101&#9;\" value=\"m101\"/><item name=\"0x64\" value=\"m100\"/>\r\n"
             "<item name=\"$66\" value=\"m102\"/>\r\n"
             "<item name=\"99\" value=\"x\"/><item name=\"104\" value=\"y\"/>\r\n"
             "<!-- <item name=\"103\" value=\"comment\"/> -->\r\n"
             "</lang></language>\r\n");
    EXPECT_EQ(LinesStartingWith(dump, "  file="),
              std::vector<std::string>{"  file=\"pkg.exe\" title=\"Setup\\r\\nof\\r\\nthe viewer\" "
                                       "start=\"second\" cancel=\"a\\\\\\r\\nb\" engvew=\"v\" "
                                       "engman=\"m\" engsta=\"s\" engist=\"i\""});
    EXPECT_EQ(
        LinesStartingWith(dump, "  msg"),
        std::vector<std::string>{"  msg100=\"m100\" msg101=\"m101\" msg102=\"m102\" msg103=\"\""});
}

TEST_F(Catalogue, PrunesAsTheLauncherWouldAndProposesAUsableLanguage) {
    AddPackage(L"pkg.exe");
    CreateDirectoryW((folder / L"sub").c_str(), nullptr);
    AddPackage(L"sub\\ja.exe");
    const std::string texts = "<item name=\"title\" value=\"T\"/><item name=\"file\" value=\"";
    const std::string dump =
        Dump("<language>"
             "<lang code=\"nolocale\" langid=\"9\" font=\"IPAPGothic\">" +
             texts +
             "pkg.exe\"/></lang>"
             "<lang code=\"nofile\" lcid=\"0409\" langid=\"9\"></lang>"
             "<lang code=\"notitle\" lcid=\"0409\" langid=\"9\">"
             "<item name=\"file\" value=\"pkg.exe\"/></lang>"
             "<lang code=\"missing\" lcid=\"0409\" langid=\"9\">" +
             texts +
             "missing.exe\"/></lang>"
             "<lang code=\"nofont\" lcid=\"0409\" langid=\"9\" font=\"No Such Family\">" +
             texts + Utf8(folder / L"pkg.exe") +
             "\"/></lang>"
             "<lang code=\"ja\" lcid=\"0411\" langid=\"11\" font=\"IPAPGothic\">" +
             texts +
             ".\\sub\\ja.exe\"/></lang>"
             "</language>");
    const size_t prune = dump.find("prune ");
    ASSERT_NE(prune, std::string::npos);
    EXPECT_EQ(dump.substr(prune),
              "prune 0 dropped locale-not-installed\n"
              "prune 1 dropped no-file\n"
              "prune 2 dropped no-title\n"
              "prune 3 dropped file-missing\n"
              "prune 4 kept usable=0\n"
              "prune 5 kept usable=1\n"
              "default 0\n"); // the first kept (pruned index), as no language matches
    EXPECT_TRUE(anyKept);
}

TEST_F(Catalogue, ProposesTheInstalledThenTheUsersLanguageAmongUsableOnes) {
    AddPackage(L"pkg.exe");
    auto language = [](const char* langid, const char* font) {
        return std::string("<lang code=\"c") + langid + "\" lcid=\"0409\" langid=\"" + langid +
               "\" font=\"" + font +
               "\"><item name=\"title\" value=\"T\"/><item name=\"file\" value=\"pkg.exe\"/>"
               "</lang>";
    };
    const std::string twoUsableAndOneNot =
        "<language>" + language("4", "No Such Family") + language("9", "IPAPGothic") +
        language("11", "IPAGothic") + language("9", "DejaVu Sans") + "</language>";
    struct Case {
        uint16_t installed, user;
        const char* expected;
    };
    for (const Case& c :
         {Case{0, 0, "default 0\n"}, Case{0, 9, "default 1\n"}, Case{0x11, 9, "default 2\n"},
          Case{9, 0x11, "default 3\n"}, Case{4, 4, "default 0\n"}, Case{0x11, 4, "default 2\n"}}) {
        const std::string dump = Dump(twoUsableAndOneNot, c.installed, c.user);
        EXPECT_TRUE(dump.ends_with(c.expected)) << c.installed << " " << c.user << "\n" << dump;
    }

    const std::string onlyUnusable = "<language>" + language("4", "No Such Family") +
                                     language("9", "No Such Family") + "</language>";
    EXPECT_TRUE(Dump(onlyUnusable, 9, 9).ends_with("default 0\n"));
}

TEST_F(Catalogue, MissingFileOrElementLoadsNothing) {
    for (const char* text : {"", "<languages><lang code=\"en\" langid=\"9\"/></languages>"}) {
        EXPECT_EQ(Dump(text), "loaded 0\ndefault -1\n") << text;
        EXPECT_FALSE(anyKept);
    }
    EXPECT_EQ(DumpCatalogue(folder / L"none.dat", 0, 0).text, "loaded 0\ndefault -1\n");
}

TEST_F(Catalogue, LoadingAgainReplacesTheLanguages) {
    WriteBytes(folder / L"a.dat", "<language><lang code=\"en\" langid=\"9\"/></language>");
    TLxSetupLanguageCollection languages;
    ASSERT_TRUE(languages.LoadFromFile(folder / L"a.dat"));
    ASSERT_TRUE(languages.LoadFromFile(folder / L"a.dat"));
    EXPECT_EQ(languages.Count(), 1);
    EXPECT_FALSE(languages.LoadFromFile(folder / L"missing.dat"));
    EXPECT_EQ(languages.Count(), 0);
    EXPECT_FALSE(languages.LoadFromFile(L""));
}

TEST_F(Catalogue, PruningMakesTheKeptInstallerFilesFullPaths) {
    CreateDirectoryW((folder / L"sub").c_str(), nullptr);
    AddPackage(L"sub\\ja.exe");
    WriteBytes(folder / L"a.dat", "<language><lang code=\"ja\" lcid=\"0411\" langid=\"11\">"
                                  "<item name=\"title\" value=\"T\"/>"
                                  "<item name=\"file\" value=\".\\sub\\ja.exe\"/>"
                                  "</lang></language>");
    TLxSetupLanguageCollection languages;
    ASSERT_TRUE(languages.LoadFromFile(folder / L"a.dat"));
    EXPECT_EQ(PruneLanguages(languages, folder.Path(), false), std::vector<TLxPruneReason>{prKept});
    ASSERT_EQ(languages.Count(), 1);
    EXPECT_EQ(languages.Items(0)->SetupFile, folder / L"sub\\ja.exe");
}

// Every language takes part in a silent run, so its pruning leaves usability unrated: rating it
// would look up the fonts, which a process without a window need not do.
TEST_F(Catalogue, SilentPruningKeepsTheSameLanguagesWithoutRatingThem) {
    AddPackage(L"pkg.exe");
    WriteBytes(folder / L"a.dat", "<language><lang code=\"en\" lcid=\"0409\" langid=\"9\" "
                                  "font=\"IPAPGothic\"><item name=\"title\" value=\"T\"/>"
                                  "<item name=\"file\" value=\"pkg.exe\"/></lang>"
                                  "<lang code=\"x\" lcid=\"0409\" langid=\"9\"/></language>");
    for (const bool silent : {false, true}) {
        TLxSetupLanguageCollection languages;
        ASSERT_TRUE(languages.LoadFromFile(folder / L"a.dat"));
        EXPECT_EQ(PruneLanguages(languages, folder.Path(), silent),
                  (std::vector<TLxPruneReason>{prKept, prNoFile}));
        ASSERT_EQ(languages.Count(), 1);
        EXPECT_EQ(languages.Items(0)->Usable, !silent) << silent;
    }
}

TEST_F(Catalogue, SilentModeLetsUnusableLanguagesTakePart) {
    WriteBytes(folder / L"a.dat", "<language><lang code=\"a\" langid=\"9\" font=\"IPAPGothic\"/>"
                                  "<lang code=\"b\" langid=\"11\"/></language>");
    TLxSetupLanguageCollection languages;
    ASSERT_TRUE(languages.LoadFromFile(folder / L"a.dat"));
    languages.Items(0)->Usable = true;
    EXPECT_EQ(ChooseDefaultIndex(languages, 0x11, 0, false), 0);
    EXPECT_EQ(ChooseDefaultIndex(languages, 0x11, 0, true), 1);
    EXPECT_EQ(ChooseDefaultIndex(languages, 0, 0x11, true), 1);
}

// The inspector as a person runs it: a relative file name, output with LF alone, and the exit
// code telling whether any language would be offered.
TEST_F(Catalogue, InspectorShowsTheCatalogueOfARelativeFile) {
    AddPackage(L"pkg.exe");
    const std::string offered = "<language><lang code=\"en\" lcid=\"0409\" langid=\"9\">"
                                "<item name=\"title\" value=\"T\"/>"
                                "<item name=\"file\" value=\"pkg.exe\"/></lang></language>";
    const std::string nothingOffered = "<language><lang code=\"en\" langid=\"9\"/></language>";
    for (const std::string& text : {offered, nothingOffered}) {
        const std::string expected = Dump(text);
        const ChildResult result = RunAndWait(L"cmd.exe /c \"\"" + ProgramFolder() +
                                                  L"datcheck.exe\" PagrionSetup.dat >out.txt\"",
                                              folder.Path());
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, anyKept ? 0u : 1u);
        EXPECT_EQ(ReadBytes(folder / L"out.txt"), expected);
    }
}

TEST(SetupLanguageItem, GetMessageAnswersOnlyItsFourNumbers) {
    ScratchFolder folder;
    WriteBytes(folder / L"a.dat", "<language><lang code=\"a\" langid=\"9\">"
                                  "<item name=\"100\" value=\"first\"/>"
                                  "<item name=\"103\" value=\"last\"/></lang></language>");
    TLxSetupLanguageCollection languages;
    ASSERT_TRUE(languages.LoadFromFile(folder / L"a.dat"));
    const TLxSetupLanguageItem& item = *languages.Items(0);
    EXPECT_EQ(item.GetMessage(100), L"first");
    EXPECT_EQ(item.GetMessage(102), L"");
    EXPECT_EQ(item.GetMessage(103), L"last");
    EXPECT_EQ(item.GetMessage(99), L"");
    EXPECT_EQ(item.GetMessage(104), L"");
}

TEST(UserLanguage, KeepsTheSubLanguageBitOnlyForChineseAndSerboCroatian) {
    const std::pair<LCID, uint16_t> cases[] = {
        {0x0411, 0x0011}, {0x0409, 0x0009}, {0x0809, 0x0009},  {0x0404, 0x0404},
        {0x0804, 0x0004}, {0x041A, 0x041A}, {0x081A, 0x001A},  {0x0C04, 0x0404},
        {0x1404, 0x0404}, {0x0407, 0x0007}, {0x2041A, 0x041A},
    };
    for (const auto& [locale, expected] : cases)
        EXPECT_EQ(LanguageIDOfLocale(locale), expected) << std::hex << locale;
}

// CTest runs this once per locale, with the language value expected in it; a plain run of the
// test program has no such value and skips it.
TEST(UserLanguage, FollowsTheProcessLocale) {
    wchar_t expected[16] = {};
    if (!GetEnvironmentVariableW(L"PAGRION_EXPECTED_USER_LANGUAGE", expected, 16))
        GTEST_SKIP() << "runs only in a locale chosen by CTest";
    EXPECT_EQ(UserLanguageID(), std::wcstoul(expected, nullptr, 16))
        << std::hex << GetUserDefaultLCID();
}

} // namespace
