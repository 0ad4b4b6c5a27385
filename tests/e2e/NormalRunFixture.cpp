#include "NormalRunFixture.h"

#include "ForeignWindows.h"
#include "setup/SharedNames.h"

using namespace foreign_windows;
using namespace testing_support;

const Language kEnglish{
    L"en",
    L"9",
    L"DejaVu Sans",
    L"English",
    L"Pagrion Viewer Setup",
    L"Start",
    L"Cancel",
    L"The installer package cannot be found.\\nPlease download the setup again.",
    L"Please choose a language.",
    L"Do you want to quit the setup?",
    L"The installer package cannot be started."};
const Language kGerman{L"de",
                       L"7",
                       L"DejaVu Sans",
                       L"German",
                       L"Pagrion Viewer Installation",
                       L"Starten",
                       L"Abbrechen",
                       L"Das Installationspaket fehlt.\\nBitte laden Sie die Installation erneut.",
                       L"Bitte wählen Sie eine Sprache.",
                       L"Möchten Sie die Installation beenden?",
                       L"Das Installationspaket kann nicht gestartet werden."};
const Language kJapanese{L"ja",
                         L"11",
                         L"DejaVu Sans",
                         L"Japanese",
                         L"Pagrion Viewer セットアップ",
                         L"開始",
                         L"キャンセル",
                         L"パッケージが見つかりません。",
                         L"言語を選択してください。",
                         L"セットアップを終了しますか？",
                         L"パッケージを開始できません。"};
const Language kUnusable{
    L"xx",        L"1",          L"No Such Family", L"Unusable",    L"Unusable Setup", L"xx start",
    L"xx cancel", L"xx missing", L"xx explanation", L"xx question", L"xx cannot start"};

namespace {

constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr wchar_t kPackageWindowClass[] = L"PagrionFakePackage";
// The static control in which a message box shows its text.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring LanguageElement(const Language& language) {
    const std::wstring code = language.code;
    const std::pair<const wchar_t*, std::wstring> items[] = {
        {L"file", L"pkg_" + code + L".exe"}, {L"title", language.title},
        {L"start", language.start},          {L"cancel", language.cancel},
        {L"100", language.missingFile},      {L"101", language.message},
        {L"102", language.question},         {L"103", language.cannotStart},
    };
    std::wstring element = L"  <lang code=\"" + code + L"\" lcid=\"0409\" langid=\"" +
                           language.langid + L"\" font=\"" + language.font +
                           L"\" size=\"9\" en=\"" + language.name + L"\">\n";
    for (const auto& [name, value] : items)
        element += L"    <item name=\"" + std::wstring(name) + L"\" value=\"" + value + L"\"/>\n";
    return element + L"  </lang>\n";
}

} // namespace

LauncherWindow LauncherWindow::Of(DWORD processId) {
    LauncherWindow found;
    if (!PollUntil([&] {
            return (found.window = ShownWindowOf(processId, kSelectionWindowClass)) != nullptr;
        }))
        return found;
    found.thread_ = GetWindowThreadProcessId(found.window, nullptr);
    if (const auto labels = ChildrenOfClass(found.window, L"Static"); labels.size() == 1)
        found.label = labels[0];
    if (const auto lists = ChildrenOfClass(found.window, L"ListBox"); lists.size() == 1)
        found.list = lists[0];
    if (const auto buttons = ChildrenOfClass(found.window, L"Button"); buttons.size() == 2) {
        found.start = buttons[0];
        found.cancel = buttons[1];
    }
    // The window takes the focus as it shows; it is brought forward until its list has the
    // focus, whatever window an earlier test left in front.
    PollUntil([&] {
        SetForegroundWindow(found.window);
        return found.list && found.Focus() == found.list;
    });
    return found;
}

bool LauncherWindow::Shown() const {
    return window && label && list && start && cancel && Focus() == list;
}

HWND LauncherWindow::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
}

int LauncherWindow::Highlighted() const {
    return static_cast<int>(Ask(list, LB_GETCURSEL));
}

void LauncherWindow::Press(const Key& key) const {
    const HWND focus = Focus();
    // The context bit tells that Alt is held.
    constexpr LPARAM kAltHeld = 1 << 29;
    constexpr LPARAM kReleased = 0xC0000001;
    if (key.withAlt) {
        PostMessageW(focus, WM_SYSKEYDOWN, key.code, 1 | kAltHeld);
        PostMessageW(focus, WM_SYSKEYUP, key.code, kReleased | kAltHeld);
    } else {
        PostMessageW(focus, WM_KEYDOWN, key.code, 1);
        PostMessageW(focus, WM_KEYUP, key.code, kReleased);
    }
}

void LauncherWindow::PressKeys(const std::vector<Key>& keys) const {
    for (size_t i = 0; i < keys.size(); ++i) {
        Press(keys[i]);
        if (i + 1 < keys.size())
            KeysHandled();
    }
}

bool LauncherWindow::KeysHandled() const {
    // The list's entries carry no data of the launcher's: the first one's is the marker.
    static LPARAM marker = 0;
    ++marker;
    PostMessageW(list, LB_SETITEMDATA, 0, marker);
    return PollUntil([&] { return Ask(list, LB_GETITEMDATA, 0) == marker; });
}

NormalRunFixture::NormalRunFixture()
    : temp(tempFolder.Path()), installLang(HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang") {
    CopyTo(ProgramFolder() + L"PagrionSetup.exe", folder / L"PagrionSetup.exe");
    installLang.Set(L"");
}

void NormalRunFixture::WriteDefinition(const std::vector<Language>& languages) {
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<language>\n";
    for (const Language& language : languages) {
        text += LanguageElement(language);
        CopyTo(ProgramFolder() + L"fakepackage.exe", PackagePath(language));
    }
    WriteBytes(folder / L"PagrionSetup.dat", Utf8(text + L"</language>\n"));
}

std::wstring NormalRunFixture::PackagePath(const Language& language) const {
    return folder / (L"pkg_" + std::wstring(language.code) + L".exe");
}

void NormalRunFixture::SetPackageBehaviour(const Language& language,
                                           const std::string& behaviour) const {
    WriteBytes(folder / (L"pkg_" + std::wstring(language.code) + L".behaviour"), behaviour);
}

std::string NormalRunFixture::PackageStarts(const Language& language) const {
    return ReadBytes(folder / (L"pkg_" + std::wstring(language.code) + L".started.txt"));
}

std::string NormalRunFixture::AwaitedPackageStarts(const Language& language) const {
    PollUntil([&] { return !PackageStarts(language).empty(); });
    return PackageStarts(language);
}

void NormalRunFixture::ForgetPackageStarts(const std::vector<Language>& languages) const {
    for (const Language& language : languages)
        DeleteFileW((folder / (L"pkg_" + std::wstring(language.code) + L".started.txt")).c_str());
}

void NormalRunFixture::Start() {
    launcher.reset();
    launcher =
        std::make_unique<ProcessJob>(L"\"" + (folder / L"PagrionSetup.exe") + L"\"", folder.Path());
    ASSERT_TRUE(launcher->Started());
}

HWND NormalRunFixture::AwaitedMessageBox() const {
    HWND box = nullptr;
    PollUntil([&] { return (box = MessageBoxNow()) != nullptr; });
    return box;
}

HWND NormalRunFixture::MessageBoxNow() const {
    return ShownWindowOf(launcher->Id(), kMessageBoxClass);
}

HWND NormalRunFixture::AwaitedPackageWindow() const {
    HWND window = nullptr;
    PollUntil([&] {
        for (const DWORD process : launcher->RunningProcesses())
            if ((window = ShownWindowOf(process, kPackageWindowClass)) != nullptr)
                return true;
        return false;
    });
    return window;
}

std::wstring MessageBoxText(HWND box) {
    return TextOf(GetDlgItem(box, kMessageBoxTextId));
}

void Answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}
