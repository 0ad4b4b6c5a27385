// The inspector's fit check as a translator runs it: a text that fits is not named; a cut text is
// named with the size it needs, measured in the font the launcher gives its language, and the
// size its place has.
#include "DatCheckRun.h"
#include "TestSupport.h"

#include "language/LanguageFontInfo.h"
#include "toolkit/DpiScaling.h"
#include "windows/SelectionLayout.h"
#include "toolkit/TextMeasure.h"
#include "toolkit/WindowFont.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace testing_support;

// At 12 points the message label has room for three lines. The English message has three; the
// German one has two short lines and a sentence that breaks into two more. German's Start caption
// is wider than its button, its Cancel caption is not. The third language names no installed
// font: it is shown, and measured, in the launcher's fallback at the default size.
constexpr char kDefinition[] = R"(<?xml version="1.0" encoding="utf-8"?>
<language>
 <lang code="en" lcid="0409" langid="9" font="DejaVu Sans" size="12" en="English">
  <item name="start" value="Start"/>
  <item name="101" value="One\nTwo\nThree"/>
 </lang>
 <lang code="de" lcid="0407" langid="7" font="DejaVu Sans" size="12" en="German">
  <item name="start" value="Installation jetzt starten"/>
  <item name="cancel" value="Abbrechen"/>
  <item name="101" value="Eins\nZwei\nBitte wählen Sie die Sprache, in der Pagrion Viewer installiert wird."/>
 </lang>
 <lang code="xx" lcid="0409" langid="9" font="No Such Family" en="Fallback">
  <item name="start" value="Installation jetzt starten"/>
 </lang>
</language>
)";

constexpr wchar_t kWideCaption[] = L"Installation jetzt starten";

std::string SizeText(SIZE size) {
    return std::to_string(size.cx) + "x" + std::to_string(size.cy);
}

class FitCheck : public ::testing::Test {
protected:
    FitCheck() {
        WriteBytes(folder / L"setup.dat", kDefinition);
        exitCode = RunInspector(L"--fit setup.dat", folder, output);
        lines = testing_support::SplitLines(output, "\n");
    }

    // The line that begins with prefix; empty when there is none.
    std::string LineStarting(const std::string& prefix) const {
        for (const std::string& line : lines)
            if (line.starts_with(prefix))
                return line;
        return {};
    }

    const int dpi = SystemDpi();
    ScratchFolder folder;
    std::string output;
    std::vector<std::string> lines;
    uint32_t exitCode = 0;
};

TEST_F(FitCheck, NamesTheFourthLineOfAMessageWhereTheLabelHasRoomForThree) {
    const TZelWindowFont font(L"DejaVu Sans", 12, DEFAULT_CHARSET, dpi);
    const int lineHeight = TextExtent(font.Handle(), L"x").cy;
    const SIZE label{ScaleFromDesign(selection_layout::kMessage.width, dpi),
                     ScaleFromDesign(selection_layout::kMessage.height, dpi)};
    ASSERT_LE(3 * lineHeight, label.cy);
    ASSERT_GT(4 * lineHeight, label.cy);

    EXPECT_EQ(LineStarting("cut 0 code=\"en\" msg101 "), "") << output;
    const std::string cut = LineStarting("cut 1 code=\"de\" msg101 ");
    EXPECT_TRUE(cut.ends_with("x" + std::to_string(4 * lineHeight) + " has=" + SizeText(label)))
        << output;
    EXPECT_EQ(exitCode, 1u);
    EXPECT_TRUE(lines.back().starts_with("result cut ")) << output;
}

TEST_F(FitCheck, NamesACaptionWiderThanItsButtonWithTheWidthItNeeds) {
    const TZelWindowFont font(L"DejaVu Sans", 12, DEFAULT_CHARSET, dpi);
    const SIZE needs = DrawnTextExtent(font.Handle(), kWideCaption, DT_SINGLELINE);
    const std::string cut = LineStarting("cut 1 code=\"de\" start ");
    EXPECT_TRUE(cut.starts_with("cut 1 code=\"de\" start needs=" + SizeText(needs) + " has="))
        << output;
    EXPECT_EQ(LineStarting("cut 1 code=\"de\" cancel "), "") << output;
    EXPECT_EQ(LineStarting("cut 0 code=\"en\" start "), "") << output;
}

TEST_F(FitCheck, MeasuresALanguageWithoutInstalledFontInTheFallback) {
    const std::wstring fallback = TZelLanguageFontInfo().GetFontName();
    ASSERT_FALSE(fallback.empty());
    const std::string font = LineStarting("font 2 ");
    EXPECT_TRUE(font.starts_with("font 2 code=\"xx\" name=\"" + Utf8(fallback) + "\" ")) << output;
    EXPECT_TRUE(font.ends_with(" size=10 charset=01")) << output;

    const TZelWindowFont measured(fallback, 10, DEFAULT_CHARSET, dpi);
    const SIZE needs = DrawnTextExtent(measured.Handle(), kWideCaption, DT_SINGLELINE);
    EXPECT_TRUE(LineStarting("cut 2 code=\"xx\" start ")
                    .starts_with("cut 2 code=\"xx\" start needs=" + SizeText(needs) + " has="))
        << output;
}

// The demo's six languages, in the fonts this machine lists, are shown whole.
TEST(FitCheckDemo, FindsNothingCutInTheDemoFile) {
    ScratchFolder folder;
    std::string output;
    EXPECT_EQ(
        RunInspector(L"--fit \"" + ProgramFolder() + L"demo\\PagrionSetup.dat\"", folder, output),
        0u)
        << output;
    EXPECT_TRUE(output.starts_with("loaded 6\n")) << output;
    EXPECT_TRUE(output.ends_with("\nresult fits\n")) << output;
}

} // namespace
