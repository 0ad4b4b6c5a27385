// The font enumerator's filters and the fallback families, checked against the test fonts and
// against what Windows says about the families it returns.
#include "language/ZelFontUtl.h"

#include "TestFonts.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using namespace testing_support;

std::vector<std::wstring> NamesOf(const TZelFontInfoList& list) {
    std::vector<std::wstring> names;
    TZelFontInfoRec info;
    for (int i = 0; list.GetInfo(i, info); ++i)
        names.push_back(info.Name);
    return names;
}

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

struct FilterCase {
    const char* what;
    std::function<void(TZelFonts&)> configure;
    std::vector<std::wstring> in;
    std::vector<std::wstring> out;
};

TEST(FontEnumerator, FiltersByCharsetPitchTypeAndAtNames) {
    const FilterCase cases[] = {
        {"charset only, @ names left out",
         [](TZelFonts& f) { f.SetCharset(kJapaneseCharset); },
         {kVariableJapanese, kFixedJapanese},
         {L"@" + kVariableJapanese, kHebrewCapable}},
        {"@ names only",
         [](TZelFonts& f) {
             f.SetCharset(kJapaneseCharset);
             f.AtNames = anOnly;
         },
         {L"@" + kVariableJapanese, L"@" + kFixedJapanese},
         {kVariableJapanese}},
        {"all names",
         [](TZelFonts& f) {
             f.SetCharset(kJapaneseCharset);
             f.AtNames = anAll;
         },
         {kVariableJapanese, L"@" + kVariableJapanese},
         {}},
        {"variable pitch",
         [](TZelFonts& f) {
             f.SetCharset(kJapaneseCharset);
             f.SetPitch(fpVariable);
         },
         {kVariableJapanese},
         {kFixedJapanese}},
        {"fixed pitch",
         [](TZelFonts& f) {
             f.SetCharset(kJapaneseCharset);
             f.SetPitch(fpFixed);
         },
         {kFixedJapanese},
         {kVariableJapanese}},
        {"another charset",
         [](TZelFonts& f) { f.SetCharset(kHebrewCharset); },
         {kHebrewCapable},
         {kVariableJapanese}},
        {"no charset filter",
         [](TZelFonts& f) { f.FilterCharset = false; },
         {kHebrewCapable, kVariableJapanese},
         {}},
        {"raster type only",
         [](TZelFonts& f) {
             f.FilterCharset = false;
             f.FontTypes = ftRaster;
         },
         {},
         {kHebrewCapable, kVariableJapanese}},
    };
    for (const FilterCase& c : cases) {
        TZelFonts fonts;
        c.configure(fonts);
        const auto names = NamesOf(fonts.GetList());
        for (const auto& name : c.in)
            EXPECT_TRUE(Contains(names, name)) << c.what;
        for (const auto& name : c.out)
            EXPECT_FALSE(Contains(names, name)) << c.what;
        if (fonts.AtNames == anOnly) {
            for (const auto& name : names)
                EXPECT_EQ(name.front(), L'@') << c.what;
        }
    }
}

TEST(FontEnumerator, EntriesDescribeTheFamily) {
    TZelFonts fonts;
    fonts.SetCharset(kJapaneseCharset);
    const TZelFontInfoList& list = fonts.GetList();
    TZelFontInfoRec info;
    for (int i = 0; list.GetInfo(i, info); ++i) {
        EXPECT_EQ(info.Charset, kJapaneseCharset);
        EXPECT_EQ(info.FontType, ftTrueType);
        if (info.Name == kFixedJapanese) {
            EXPECT_EQ(info.Pitch, fpFixed);
        }
        if (info.Name == kVariableJapanese) {
            EXPECT_EQ(info.Pitch, fpVariable);
        }
    }
    EXPECT_FALSE(list.GetInfo(list.Count(), info));
    EXPECT_FALSE(list.GetInfo(-1, info));
}

TEST(FontEnumerator, EnumeratesAgainWithoutDoublingAndAfterAFilterChange) {
    TZelFonts fonts;
    fonts.SetCharset(kJapaneseCharset);
    const auto first = NamesOf(fonts.GetList());
    fonts.Enumerate();
    EXPECT_EQ(NamesOf(fonts.GetList()), first);

    fonts.SetCharset(kHebrewCharset);
    EXPECT_TRUE(Contains(NamesOf(fonts.GetList()), kHebrewCapable));
}

TEST(DefaultGuiFont, IsTheDialogShellFontWithoutFontType) {
    const TZelFontInfoRec gui = GetDefaultGuiFontInfo();
    EXPECT_EQ(gui.Name, L"MS Shell Dlg");
    EXPECT_EQ(gui.FontType, ftNone);
    EXPECT_NE(gui.Height, 0);
}

TEST(FirstFontOfCharset, IsAnInstalledTrueTypeFamilyOfThePitchAsked) {
    for (const bool fixedPitch : {false, true}) {
        const std::wstring name = FirstFontOfCharset(fixedPitch, 0, kJapaneseCharset);
        ASSERT_FALSE(name.empty()) << fixedPitch;
        EXPECT_NE(name.front(), L'@');
        const FamilyFacts facts = AskFamily(name, kJapaneseCharset);
        ASSERT_TRUE(facts.found) << Utf8(name);
        EXPECT_EQ(facts.fontType, static_cast<uint32_t>(TRUETYPE_FONTTYPE)) << Utf8(name);
        EXPECT_EQ(facts.pitchAndFamily & 3, fixedPitch ? FIXED_PITCH : VARIABLE_PITCH)
            << Utf8(name);
    }
}

TEST(FirstFontOfCharset, IsEmptyWhenNoFamilyIsLeftAtTheIndex) {
    constexpr uint8_t kCharsetNoFontHas = 3;
    EXPECT_EQ(FirstFontOfCharset(false, 0, kCharsetNoFontHas), L"");
    EXPECT_EQ(FirstFontOfCharset(false, 100000, kJapaneseCharset), L"");
    EXPECT_EQ(FirstFontOfCharset(false, -1, kJapaneseCharset), L"");
}

TEST(FirstFontOfCharset, DefaultCharsetStandsForTheGuiFontsCharset) {
    const std::wstring name = FirstFontOfCharset(false, 0, DEFAULT_CHARSET);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name, FirstFontOfCharset(false, 0, GetDefaultGuiFontInfo().Charset));
}

} // namespace

namespace {

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
    reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(font->lfFaceName);
    return 1;
}

// Every face of every family the screen lists, of all character sets.
std::vector<std::wstring> ListedFamilies() {
    std::vector<std::wstring> names;
    const HDC screen = GetDC(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &all, CollectFace, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, screen);
    return names;
}

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// A family is found by every name it has: the faces the screen lists, in any letter case, and
// the names in other languages, which the list shows only in those languages' locales. A name
// the system merely stands another family in for is found only where the list shows it.
TEST(FontFamilyLookup, FindsEveryNameOfAnInstalledFamilyAndNothingElse) {
    const std::vector<std::wstring> listed = ListedFamilies();
    ASSERT_FALSE(listed.empty());
    for (const std::wstring& face : listed) {
        EXPECT_TRUE(IsFontFamilyInstalled(face)) << Utf8(face);
        EXPECT_TRUE(IsFontFamilyInstalled(Upper(face))) << Utf8(face);
    }
    for (const wchar_t* name : {L"IPAGothic", L"IPAゴシック", L"IPAPGothic", L"IPA Pゴシック",
                                L"WenQuanYi Micro Hei", L"文泉驛微米黑", L"UnDotum", L"은 돋움"})
        EXPECT_TRUE(IsFontFamilyInstalled(name)) << Utf8(name);
    for (const wchar_t* name : {L"MS Shell Dlg", L"MS Shell Dlg 2", L"Helv", L"Helvetica", L"Times",
                                L"Arial", L"Arial CE", L"Times New Roman", L"Courier New",
                                L"MS Sans Serif", L"MS UI Gothic", L"SimSun"})
        EXPECT_EQ(IsFontFamilyInstalled(name), Contains(listed, name)) << Utf8(name);
    // A name cut to a face name's length would be another family.
    for (const std::wstring& name :
         {std::wstring(), std::wstring(L"No Such Family"), std::wstring(40, L'A'),
          L"DejaVu Sans" + std::wstring(40, L' ') + L"x"})
        EXPECT_FALSE(IsFontFamilyInstalled(name)) << Utf8(name);
}

} // namespace
