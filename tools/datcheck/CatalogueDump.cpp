#include "CatalogueDump.h"

#include "DumpQuote.h"

#include "language/LanguageChoice.h"

#include <cstdio>
#include <vector>

namespace {

std::string Hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

// "name=" and the quoted text, after a blank.
std::string Field(const char* name, const std::wstring& value) {
    return std::string(" ") + name + "=" + QuoteText(value);
}

std::string LanguageLines(const TLxSetupLanguageItem& item) {
    std::string lines = "lang";
    lines += Field("code", item.Code);
    lines += " lcid=" + Hex(item.LCID, 8);
    lines += " lang=" + Hex(item.Lang, 2);
    lines += " langid=" + Hex(item.LangID, 4);
    lines += " engid=" + std::to_string(item.EngID);
    lines += " tabstyle=" + Hex(item.TabStyle, 1);
    lines += Field("dllang", item.DLLang);
    lines += Field("dlhost", item.DLHost);
    lines += Field("dlpath", item.DLPath);
    lines += Field("dlfile", item.DLFile);
    lines += Field("en", item.EnName);
    lines += item.LocaleValid ? " localevalid=1\n" : " localevalid=0\n";

    const TZelLanguageFontInfo& font = item.FontInfo();
    lines += "  font";
    lines += Field("name", font.Name);
    lines += " charset=" + Hex(font.Charset, 2);
    lines += " size=" + std::to_string(font.Size) + "\n";

    lines += " ";
    lines += Field("file", item.SetupFile);
    lines += Field("title", item.Title);
    lines += Field("start", item.StartCaption);
    lines += Field("cancel", item.CancelCaption);
    lines += Field("engvew", item.EngVew);
    lines += Field("engman", item.EngMan);
    lines += Field("engsta", item.EngSta);
    lines += Field("engist", item.EngIst);
    lines += "\n";

    lines += " ";
    for (int number = kFirstMessage; number <= kLastMessage; ++number)
        lines += Field(("msg" + std::to_string(number)).c_str(), item.GetMessage(number));
    lines += "\n";
    return lines;
}

const char* ReasonName(TLxPruneReason reason) {
    switch (reason) {
    case prLocaleNotInstalled:
        return "locale-not-installed";
    case prNoFile:
        return "no-file";
    case prNoTitle:
        return "no-title";
    case prFileMissing:
        return "file-missing";
    case prKept:
        break;
    }
    return "kept";
}

// The folder of a full file name, with trailing backslash.
std::wstring FolderOf(const std::wstring& fileName) {
    return fileName.substr(0, fileName.find_last_of(L'\\') + 1);
}

} // namespace

CatalogueDump DumpCatalogue(const std::wstring& fileName, uint16_t installedLanguage,
                            uint16_t userLanguage) {
    CatalogueDump dump;
    TLxSetupLanguageCollection languages;
    languages.LoadFromFile(fileName);
    dump.text = "loaded " + std::to_string(languages.Count()) + "\n";
    for (int index = 0; index < languages.Count(); ++index)
        dump.text += LanguageLines(*languages.Items(index));

    const std::vector<TLxPruneReason> reasons =
        PruneLanguages(languages, FolderOf(fileName), false);
    int kept = 0; // the index of the next kept language in the pruned catalogue
    for (int index = 0; index < static_cast<int>(reasons.size()); ++index) {
        dump.text += "prune " + std::to_string(index);
        if (reasons[index] == prKept) {
            const TLxSetupLanguageItem& item = *languages.Items(kept++);
            dump.text += std::string(" kept usable=") + (item.Usable ? "1" : "0") + "\n";
        } else {
            dump.text += std::string(" dropped ") + ReasonName(reasons[index]) + "\n";
        }
    }
    // The launcher's own choice: an index of the pruned catalogue, as CurrentIndex holds it.
    const int chosen = ChooseDefaultIndex(languages, installedLanguage, userLanguage, false);
    dump.text += "default " + std::to_string(chosen) + "\n";
    dump.anyKept = languages.Count() > 0;
    return dump;
}
