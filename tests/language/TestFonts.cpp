#include "TestFonts.h"

#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace testing_support {

namespace {

// Registers the font files copied beside the test program (folder "testfonts") for this
// process only.
class TestFontsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        for (const wchar_t* file : {L"ipag.ttf", L"ipagp.ttf", L"DejaVuSans.ttf"}) {
            const std::wstring path = ProgramFolder() + L"testfonts\\" + file;
            ASSERT_GT(AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr), 0) << Utf8(path);
        }
    }
};

[[maybe_unused]] ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new TestFontsEnvironment);

int CALLBACK RecordFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD fontType, LPARAM facts) {
    auto& result = *reinterpret_cast<FamilyFacts*>(facts);
    result = {true, font->lfPitchAndFamily, fontType};
    return 0;
}

} // namespace

FamilyFacts AskFamily(const std::wstring& name, uint8_t charset) {
    FamilyFacts facts;
    LOGFONTW query{};
    query.lfCharSet = charset;
    name.copy(query.lfFaceName, LF_FACESIZE - 1);
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, RecordFamily, reinterpret_cast<LPARAM>(&facts), 0);
    ReleaseDC(nullptr, screen);
    return facts;
}

} // namespace testing_support
