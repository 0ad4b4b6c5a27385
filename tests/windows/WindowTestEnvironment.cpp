// The surroundings every window test can count on: known fonts, registered for this process
// before the first test runs, and an install log of its own for the setup manager the language
// windows read.
#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace testing_support;

class WindowTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        // The font files lie beside the test program in "testfonts".
        for (const wchar_t* file : {L"ipagp.ttf", L"DejaVuSans.ttf"}) {
            const std::wstring path = ProgramFolder() + L"testfonts\\" + file;
            ASSERT_GT(AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr), 0) << Utf8(path);
        }
        // The setup manager starts its log in the temporary folder when it is first used.
        logFolder_ = std::make_unique<ScratchFolder>();
        temp_ = std::make_unique<ScopedTempFolder>(logFolder_->Path());
    }

    void TearDown() override {
        temp_.reset();
        logFolder_.reset();
    }

private:
    std::unique_ptr<ScratchFolder> logFolder_;
    std::unique_ptr<ScopedTempFolder> temp_;
};

[[maybe_unused]] ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new WindowTestEnvironment);

} // namespace
