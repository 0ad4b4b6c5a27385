// What the tests of the two language windows share: a catalogue of three languages loaded into
// the process's setup manager, and a helper that answers the message box the windows ask with.
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
inline constexpr char kCatalogueText[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<language>\r\n"
    " <lang code=\"en\" lcid=\"0409\" langid=\"9\" font=\"DejaVu Sans\" charset=\"0\" size=\"9\""
    "  en=\"English\">\r\n"
    "  <item name=\"file\" value=\"setup-en.exe\"/>\r\n"
    "  <item name=\"title\" value=\"Pagrion Viewer Setup\"/>\r\n"
    "  <item name=\"start\" value=\"Start\"/>\r\n"
    "  <item name=\"cancel\" value=\"Cancel\"/>\r\n"
    "  <item name=\"101\" value=\"Please choose the language of the installation.\"/>\r\n"
    "  <item name=\"102\" value=\"Do you want to quit the setup?\"/>\r\n"
    "  <item name=\"engsta\" value=\"Installing Pagrion Viewer...\"/>\r\n"
    "  <item name=\"engvew\" value=\"Preparing the viewer\"/>\r\n"
    "  <item name=\"engist\" value=\"Registering the manuals...\"/>\r\n"
    "  <item name=\"engman\" value=\"Preparing the manuals\"/>\r\n"
    " </lang>\r\n"
    " <lang code=\"ja\" lcid=\"0411\" langid=\"11\" font=\"IPAPGothic\" charset=\"80\" size=\"10\""
    "  en=\"Japanese\">\r\n"
    "  <item name=\"file\" value=\"setup-ja.exe\"/>\r\n"
    "  <item name=\"title\" value=\"Pagrion Viewer \xE3\x82\xBB\xE3\x83\x83\xE3\x83\x88"
    "\xE3\x82\xA2\xE3\x83\x83\xE3\x83\x97\"/>\r\n"
    "  <item name=\"start\" value=\"\xE9\x96\x8B\xE5\xA7\x8B\"/>\r\n"
    "  <item name=\"cancel\" value=\"\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB"
    "\"/>\r\n"
    "  <item name=\"101\" value=\"\xE8\xA8\x80\xE8\xAA\x9E\xE3\x82\x92\xE9\x81\xB8\xE6\x8A\x9E"
    "\xE3\x81\x97\xE3\x81\xA6\xE3\x81\x8F\xE3\x81\xA0\xE3\x81\x95\xE3\x81\x84\xE3\x80\x82\"/>\r\n"
    "  <item name=\"102\" value=\"\xE7\xB5\x82\xE4\xBA\x86\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99"
    "\xE3\x81\x8B\xEF\xBC\x9F\"/>\r\n"
    "  <item name=\"engsta\" value=\"\xE3\x82\xA4\xE3\x83\xB3\xE3\x82\xB9\xE3\x83\x88\xE3\x83\xBC"
    "\xE3\x83\xAB\xE4\xB8\xAD...\"/>\r\n"
    "  <item name=\"engvew\" value=\"\xE6\xBA\x96\xE5\x82\x99\xE4\xB8\xAD\"/>\r\n"
    "  <item name=\"engist\" value=\"\xE3\x83\x9E\xE3\x83\x8B\xE3\x83\xA5\xE3\x82\xA2\xE3\x83\xAB"
    "\xE7\x99\xBB\xE9\x8C\xB2\xE4\xB8\xAD...\"/>\r\n"
    "  <item name=\"engman\" value=\"\xE3\x83\x9E\xE3\x83\x8B\xE3\x83\xA5\xE3\x82\xA2\xE3\x83\xAB"
    "\xE6\xBA\x96\xE5\x82\x99\xE4\xB8\xAD\"/>\r\n"
    " </lang>\r\n"
    " <lang code=\"de\" lcid=\"0407\" langid=\"7\" font=\"No Such Family\" en=\"German\">\r\n"
    "  <item name=\"file\" value=\"setup-de.exe\"/>\r\n"
    "  <item name=\"title\" value=\"Pagrion Viewer Installation\"/>\r\n"
    "  <item name=\"start\" value=\"Starten\"/>\r\n"
    "  <item name=\"cancel\" value=\"Abbrechen\"/>\r\n"
    "  <item name=\"101\" value=\"Bitte w\xC3\xA4hlen Sie die Sprache.\"/>\r\n"
    "  <item name=\"102\" value=\"Wollen Sie die Installation beenden?\"/>\r\n"
    " </lang>\r\n"
    "</language>\r\n";

constexpr int kEnglish = 0;
constexpr int kJapanese = 1;
constexpr int kGerman = 2;

// Loads the catalogue into the setup manager, with the installer packages it names in a scratch
// folder, and leaves the manager without catalogue, choice and options again at the end.
class ManagerCatalogue {
public:
    ManagerCatalogue() { Reset(); }
    ~ManagerCatalogue() { Reset(); }
    ManagerCatalogue(const ManagerCatalogue&) = delete;
    ManagerCatalogue& operator=(const ManagerCatalogue&) = delete;

    // Loads the text, prunes and chooses the default language as the manager does at start-up.
    void Load(const std::string& catalogueText = kCatalogueText) {
        testing_support::WriteBytes(folder_ / L"setup.dat", catalogueText);
        TLxSetupManager& manager = SetupManager();
        manager.Languages->LoadFromFile(folder_ / L"setup.dat");
        for (int i = 0; i < manager.Languages->Count(); ++i) {
            TLxSetupLanguageItem& language = *manager.Languages->Items(i);
            language.SetupFile = folder_ / language.SetupFile;
            testing_support::WriteBytes(language.SetupFile, "MZ");
        }
        manager.ChooseDefaultLanguage();
    }

    // The command line the manager sees, after the program's own path.
    static void SetOptions(const std::vector<std::wstring>& arguments) {
        std::vector<std::wstring> line{L"PagrionSetup.exe"};
        line.insert(line.end(), arguments.begin(), arguments.end());
        SetupManager().Options->ParseArguments(line);
    }

    static TLxSetupLanguageItem& Language(int index) {
        return *SetupManager().Languages->Items(index);
    }

private:
    static void Reset() {
        TLxSetupManager& manager = SetupManager();
        manager.Languages->Clear();
        manager.CurrentIndex = -1;
        manager.LanguageConfirmed = false;
        manager.Options->Clear();
    }

    testing_support::ScratchFolder folder_;
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

// The text of a window.
std::wstring WindowText(HWND window);

} // namespace language_windows_test
