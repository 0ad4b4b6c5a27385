// What the tests of the two language windows share: a setup manager with a catalogue of three
// languages, and a helper that answers the message box the windows ask with.
#pragma once

#include "TestSupport.h"
#include "ToolkitFixture.h"

#include "setup/ornLxSetup.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace language_windows_test {

// English and Japanese are usable; German names no installed font, so it is listed but grey.
inline constexpr char kCatalogueText[] = R"(<?xml version="1.0" encoding="utf-8"?>
<language>
 <lang code="en" lcid="0409" langid="9" font="DejaVu Sans" charset="0" size="9" en="English">
  <item name="file" value="setup-en.exe"/>
  <item name="title" value="Pagrion Viewer Setup"/>
  <item name="start" value="Start"/>
  <item name="cancel" value="Cancel"/>
  <item name="101" value="Please choose the language of the installation."/>
  <item name="102" value="Do you want to quit the setup?"/>
  <item name="engsta" value="Installing Pagrion Viewer..."/>
  <item name="engvew" value="Preparing the viewer"/>
  <item name="engist" value="Registering the manuals..."/>
  <item name="engman" value="Preparing the manuals"/>
 </lang>
 <lang code="ja" lcid="0411" langid="11" font="IPAPGothic" charset="80" size="10" en="Japanese">
  <item name="file" value="setup-ja.exe"/>
  <item name="title" value="Pagrion Viewer セットアップ"/>
  <item name="start" value="開始"/>
  <item name="cancel" value="キャンセル"/>
  <item name="101" value="言語を選択してください。"/>
  <item name="102" value="終了しますか？"/>
  <item name="engsta" value="インストール中..."/>
  <item name="engvew" value="準備中"/>
  <item name="engist" value="マニュアル登録中..."/>
  <item name="engman" value="マニュアル準備中"/>
 </lang>
 <lang code="de" lcid="0407" langid="7" font="No Such Family" en="German">
  <item name="file" value="setup-de.exe"/>
  <item name="title" value="Pagrion Viewer Installation"/>
  <item name="start" value="Starten"/>
  <item name="cancel" value="Abbrechen"/>
  <item name="101" value="Bitte wählen Sie die Sprache."/>
  <item name="102" value="Wollen Sie die Installation beenden?"/>
 </lang>
</language>
)";

constexpr int kEnglish = 0;
constexpr int kJapanese = 1;
constexpr int kGerman = 2;

// A setup manager of the test's own, as the entry makes it, but without options; the catalogue
// it loads names installer packages in a scratch folder, and its log goes to a scratch temporary
// folder.
class ManagerCatalogue {
public:
    ManagerCatalogue() { manager_.Options->Clear(); }
    ManagerCatalogue(const ManagerCatalogue&) = delete;
    ManagerCatalogue& operator=(const ManagerCatalogue&) = delete;

    TLxSetupManager& Manager() { return manager_; }

    // Loads the text, prunes and chooses the default language as the manager does at start-up.
    void Load(const std::string& catalogueText = kCatalogueText) {
        testing_support::WriteBytes(folder_ / L"setup.dat", catalogueText);
        manager_.Languages->LoadFromFile(folder_ / L"setup.dat");
        for (int i = 0; i < manager_.Languages->Count(); ++i) {
            TLxSetupLanguageItem& language = *manager_.Languages->Items(i);
            language.SetupFile = folder_ / language.SetupFile;
            testing_support::WriteBytes(language.SetupFile, "MZ");
        }
        manager_.ChooseDefaultLanguage();
    }

    // The command line the manager sees, after the program's own path.
    void SetOptions(const std::vector<std::wstring>& arguments) {
        std::vector<std::wstring> line{L"PagrionSetup.exe"};
        line.insert(line.end(), arguments.begin(), arguments.end());
        manager_.Options->ParseArguments(line);
    }

    TLxSetupLanguageItem& Language(int index) { return *manager_.Languages->Items(index); }

private:
    testing_support::ScratchFolder folder_;
    testing_support::ScratchFolder logFolder_;
    testing_support::ScopedTempFolder temp_{logFolder_.Path()};
    TLxSetupManager manager_;
};

// Runs onTick every 20 ms on this thread while it lives, also inside modal loops such as a
// message box's or the application's own loop.
class ThreadTimer {
public:
    explicit ThreadTimer(std::function<void()> onTick);
    ~ThreadTimer();
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);

    std::function<void()> onTick_;
    UINT_PTR id_;
};

// Answers every message box of this thread with the given button while it lives, and keeps what
// the last box showed.
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(int answer);

    int asked = 0;
    std::wstring text;
    std::wstring caption;
    HWND owner = nullptr;
    int defaultButton = 0;
    // Runs while the box is shown, before it is answered.
    std::function<void()> whileAsked;

private:
    void AnswerBox(HWND box);

    int answer_;
    ThreadTimer timer_;
};

// A shown top-level window of this thread with that window class, or nullptr: never a window
// another process left on the desktop.
HWND ShownWindowOfThisThread(const std::wstring& className);

// The text of a window.
std::wstring WindowText(HWND window);

} // namespace language_windows_test
