// A normal run laid out for the end-to-end tests: the launcher in a folder of its own with a
// definition file and a package double per language, the install log in a folder of the test's
// own, the installed viewer's language put back afterwards, and every process of the run ended
// with the fixture. The launcher's windows are found among the run's own windows, driven as a
// keyboard user drives them, with posted key presses, and read as a screen reader reads them.
#pragma once

#include "ProcessJob.h"
#include "SavedRegistryValue.h"
#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A language of the definition file, with its package "pkg_<code>.exe" and its texts.
struct Language {
    const wchar_t* code;
    const wchar_t* langid;
    const wchar_t* font;
    const wchar_t* name;
    const wchar_t* title;
    const wchar_t* start;
    const wchar_t* cancel;
    const wchar_t* missingFile; // message 100
    const wchar_t* message;     // message 101, the window's explanation
    const wchar_t* question;    // message 102, the close question
    const wchar_t* cannotStart; // message 103
};

extern const Language kEnglish;
extern const Language kGerman;
extern const Language kJapanese;
// Names no installed font: listed, but grey.
extern const Language kUnusable;

// A key press; withAlt presses it with the Alt key held, as a system key.
struct Key {
    Key(WPARAM code, bool withAlt = false) : code(code), withAlt(withAlt) {}
    WPARAM code;
    bool withAlt;
};

// The language selection window of a run and its controls in tab order.
class LauncherWindow {
public:
    HWND window = nullptr;
    HWND label = nullptr;
    HWND list = nullptr;
    HWND start = nullptr;
    HWND cancel = nullptr;

    // Finds the shown selection window of the process and waits until the keyboard focus is in
    // its list.
    static LauncherWindow Of(DWORD processId);

    // Whether every control was found and the focus is in the list.
    bool Shown() const;
    // The launcher's control (or message box button) that has the keyboard focus.
    HWND Focus() const;
    int Highlighted() const;

    // Posts the key press to the focused control.
    void Press(const Key& key) const;
    // Presses the keys one after the other as a user types them: each goes where the ones before
    // have moved the focus.
    void PressKeys(const std::vector<Key>& keys) const;
    // Posts a marker behind the messages already posted and waits until the launcher has handled
    // it: posted messages are handled in order, so the keys before it have been handled too.
    // False when the launcher stopped handling messages (it ended, for one).
    bool KeysHandled() const;

private:
    DWORD thread_ = 0;
};

class NormalRunFixture : public ::testing::Test {
protected:
    NormalRunFixture();

    // Writes the definition file of the languages, each with its package beside the launcher.
    void WriteDefinition(const std::vector<Language>& languages);
    std::wstring PackagePath(const Language& language) const;
    void SetPackageBehaviour(const Language& language, const std::string& behaviour) const;
    // What the package double recorded of its starts; empty when it never started.
    std::string PackageStarts(const Language& language) const;
    // The same, once the package has recorded a start (it may do so after the launcher ended).
    std::string AwaitedPackageStarts(const Language& language) const;
    void ForgetPackageStarts(const std::vector<Language>& languages) const;

    // Starts the launcher in its folder; a run started before is ended first.
    void Start();
    LauncherWindow Selection() const { return LauncherWindow::Of(launcher->Id()); }
    // The launcher's shown message box, waited for up to a few seconds; nullptr when none shows.
    HWND AwaitedMessageBox() const;
    // The launcher's shown message box at this moment, or nullptr.
    HWND MessageBoxNow() const;
    // A shown window of a package double among the run's processes, waited for; or nullptr.
    HWND AwaitedPackageWindow() const;
    // Waits for the launcher's end.
    testing_support::ChildResult Finish() const { return launcher->Wait(); }

    testing_support::ScratchFolder folder;
    testing_support::ScratchFolder tempFolder;
    testing_support::ScopedTempFolder temp;
    SavedRegistryValue installLang;
    std::unique_ptr<ProcessJob> launcher;
};

// The text of a message box, as a screen reader reads it from its static text control.
std::wstring MessageBoxText(HWND box);
// Presses a button of a message box.
void Answer(HWND box, int button);
