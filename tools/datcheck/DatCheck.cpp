// The definition-file inspector: shows a person who writes a language definition file how the
// launcher reads it. Output is ASCII, one record a line, each line ended by LF alone.
#include "CatalogueDump.h"
#include "FitCheck.h"
#include "TreeDump.h"

#include "language/LanguageChoice.h"
#include "platform/Registry.h"
#include "setup/SharedNames.h"
#include "toolkit/DpiScaling.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

const char* const HelpText =
    R"(datcheck - shows how the Pagrion language setup reads a language definition file

Usage:
  datcheck FILE          show the languages of FILE as the setup reads them, and which of
                         them it would offer and propose if FILE lay beside it
  datcheck --tree FILE   show FILE as the setup's markup reader sees it
  datcheck --fit FILE    check that every text of every language of FILE fits its place in
                         the setup's windows on this machine
  datcheck --help        show this text

The setup (PagrionSetup.exe) reads the definition file that carries its own name with the
extension .dat (PagrionSetup.dat beside PagrionSetup.exe) and offers the languages it lists.

Why is my language not offered?
  A language is offered only when all of this holds:
  - its "lang" element is a direct child of the first "language" element. An end tag closes
    the innermost open element whatever name it carries, and an element left open takes
    everything after it, so one missing or extra end tag moves the "lang" elements away;
  - "code" is not empty, and "langid" is a hexadecimal number other than 0 (9 for English,
    11 for Japanese, 404 for Chinese (Taiwan), 4 for Chinese (PRC));
  - "lcid" names a locale installed on the machine, written as hexadecimal digits alone:
    0409, not 0x0409, $0409 or a value with blanks around it;
  - an "item" named "title" and an "item" named "file" are inside the "lang" element, and
    the installer package that "file" names exists (a name without a folder is looked for
    beside the setup).
  A language none of whose fonts is installed is listed in grey and cannot be started.
  With one language left, the setup starts its package at once without asking.

Reading the languages (datcheck FILE):
  "loaded N" tells how many languages were read. Each language then shows its attributes as
  numbers (hexadecimal where the file writes hexadecimal), the installed font chosen from its
  "font" list (an empty name: none of them is installed), its texts and its messages. Last
  comes one "prune" line per language: kept (usable=0: no font installed, listed in grey) or
  dropped with the first reason that applies, and the "default" language the setup would
  propose (counted among the kept languages from 0, -1 for none).

Reading the tree (--tree):
  The first line tells the encoding the file was read in. Without a byte-order mark, an
  encoding in the <?xml ...?> declaration or a charset setting, the file is read in the
  machine's ANSI code page: save it as UTF-8 with a byte-order mark to be safe.
  Then comes one line per node, indented two spaces per level of nesting (from level 32 on,
  "@", the level and a blank instead): the kind of node, its text as written, and for tags the
  name and the attributes as the setup reads them, "name"="value". Things to look for:
  - the "lang" lines must be indented one step more than the "language" line;
  - code = "en" (blanks around "=") falls apart into three pieces and reads as an empty
    code; write code="en";
  - a ">" ends a tag even inside quotes: write &gt; in values, and &amp; for "&";
  - an attribute without "=" (or one whose value was cut off) shows without a value.
  The last line is the markup rebuilt from what was read.

Checking the fit (--fit):
  Each language is measured in the font the setup would show it in on this machine (the first
  installed family of its "font" list, or the setup's fallback when none is installed) at the
  screen's dpi, against the places of the two windows. Output: "loaded N", "dpi D", then per
  language the font measured,
    font I code="xx" name="family asked for" face="family the system gave" size=D charset=HH
  followed by one line for each of its texts that does not fit,
    cut I code="xx" TEXT needs=WxH has=WxH
  with the size in pixels the text needs and the size its place has, and last "result fits" or
  "result cut N" (N texts cut). Make a cut text shorter, or give the language a smaller
  "size". TEXT is one of:
    title           the window title in the caption bar (drawn in the system's caption font)
    msg101          message 101 in the message box, broken between words
    start, cancel   the captions on their buttons
    rowN            the English name of language N (counted from 0) in its row of the list,
                    which shows every row in the font of the highlighted language
    engsta, engist  the status line of the progress window, before and after the converter
                    reports
    engvew, engman  the progress line of the progress window, before and after

Exit codes: 0 shown (--fit: every text fits), 1 the file could not be loaded (FILE: no language
would be offered; --fit: a text is cut or the file holds no language), 2 wrong arguments.
)";

const char* const UsageText = "usage: datcheck FILE\n"
                              "       datcheck --tree FILE\n"
                              "       datcheck --fit FILE\n"
                              "       datcheck --help\n";

void WriteOut(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// The full path of a file named relative to the current folder: the setup's file queries
// refuse relative paths.
std::wstring FullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return path;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

int ShowTree(const std::wstring& file) {
    TZelMLDocumentParser parser(true);
    if (!parser.LoadFromFile(FullPath(file))) {
        WriteOut("load failed\n");
        return 1;
    }
    DumpTree(parser, [](int level, std::string_view record) { WriteOut(DumpLine(level, record)); });
    return 0;
}

// The installed viewer's language, as the setup reads it to choose its default language.
uint16_t InstalledViewerLanguage() {
    std::wstring installLang;
    ReadRegString(HKEY_LOCAL_MACHINE, kViewerKey, L"InstallLang", installLang);
    return InstalledLanguageID(installLang);
}

int ShowCatalogue(const std::wstring& file) {
    const CatalogueDump dump =
        DumpCatalogue(FullPath(file), InstalledViewerLanguage(), UserLanguageID());
    WriteOut(dump.text);
    return dump.anyKept ? 0 : 1;
}

int ShowFit(const std::wstring& file) {
    const FitReport report = CheckFit(FullPath(file), SystemDpi());
    WriteOut(report.text);
    return report.anyCut || report.languages == 0 ? 1 : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::vector<std::wstring> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == L"--help" || arguments[0] == L"/?")) {
        WriteOut(HelpText);
        return 0;
    }
    if (arguments.size() == 2 && arguments[0] == L"--tree")
        return ShowTree(arguments[1]);
    if (arguments.size() == 2 && arguments[0] == L"--fit")
        return ShowFit(arguments[1]);
    if (arguments.size() == 1 && !arguments[0].starts_with(L"--"))
        return ShowCatalogue(arguments[0]);
    std::fputs(UsageText, stderr);
    return 2;
}
