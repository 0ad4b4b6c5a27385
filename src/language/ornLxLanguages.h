// The language catalogue: the installable languages of the language definition file, each with
// its locale, language value, font and, for the setup, its installer file and window texts.
//
// The file is a markup text: the first "language" element holds one "lang" element per
// language, and each "lang" element holds "item" elements with the language's texts. Element and
// attribute names compare ignoring case; of an attribute given twice the first counts; a missing
// attribute reads as the empty text. Numbers follow IntegerWithDefault (strings/ZelStrUtl.h);
// hexadecimal attributes are written as bare hexadecimal digits (0409, not 0x0409 or $0409).
// Nothing here raises.
#pragma once

// The catalogue's GetMessage must mean the same member in every file, whether or not that file
// sees the Windows macro of the same name.
#include <windows.h>

#include "language/LanguageFontInfo.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TZelMLNode;
class TZelMLDocumentRoot;

// The four flags of a language's "tabstyle", by their bit values.
enum TLxTabStyle : uint8_t {
    tsNone = 0,
    tsFlag1 = 1,
    tsFlag2 = 2,
    tsFlag4 = 4,
    tsFlag8 = 8,
};

// One language of the definition file, built from its "lang" element.
class TLxLanguageItem {
public:
    // Reads every attribute of the "lang" element; missing or unreadable data leaves the
    // defaults below.
    explicit TLxLanguageItem(TZelMLNode& lang);
    virtual ~TLxLanguageItem();
    TLxLanguageItem(const TLxLanguageItem&) = delete;
    TLxLanguageItem& operator=(const TLxLanguageItem&) = delete;

    std::wstring Code; // as written, blanks included; names the language on the command line
    uint32_t LCID = 0; // the Windows locale
    uint8_t Lang = 0;
    uint16_t LangID = 0; // compared with UserLanguageID and the installed viewer's language
    int32_t EngID = 0;
    TLxTabStyle TabStyle = tsNone;
    std::wstring DLLang; // the four download texts, trimmed
    std::wstring DLHost;
    std::wstring DLPath;
    std::wstring DLFile;
    std::wstring EnName;      // the name the selection window lists
    bool LocaleValid = false; // LCID is a locale installed on this machine

    // The font of the language's texts, chosen from its "font", "charset" and "size" lists when
    // it is first asked for rather than while the item is built: the choice looks the families
    // up on the display, and a process that shows no window (a silent setup) never asks and so
    // never connects to the display.
    const TZelLanguageFontInfo& FontInfo() const;

private:
    std::wstring fontList_; // the three attributes as written
    std::wstring charsetList_;
    std::wstring sizeList_;
    mutable std::optional<TZelLanguageFontInfo> fontInfo_; // empty until first asked for
};

// The catalogue: owns its items, in file order. Subclasses choose the item class through
// CreateItem.
class TLxLanguageCollection {
public:
    TLxLanguageCollection();
    virtual ~TLxLanguageCollection();
    TLxLanguageCollection(const TLxLanguageCollection&) = delete;
    TLxLanguageCollection& operator=(const TLxLanguageCollection&) = delete;

    // Replaces the items with the languages of the file; a language without code or with a zero
    // or unreadable "langid" is left out. True when at least one language was kept.
    bool LoadFromFile(const std::wstring& fileName);
    // The same from the tree of a definition file that a parser with whitespace trimming has
    // read.
    bool LoadFromDocument(TZelMLDocumentRoot& root);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    // The item at the 0-based index; null outside 0 to Count() - 1.
    TLxLanguageItem* Items(int index) const;
    // Takes the item out of the catalogue and frees it; an item the catalogue does not hold is
    // left alone.
    void Remove(const TLxLanguageItem* item);

protected:
    // Called once with the "language" element before its languages are read.
    virtual void ReadHeader(TZelMLNode& language);
    // Makes an item of this catalogue's item class from a "lang" element.
    virtual std::unique_ptr<TLxLanguageItem> CreateItem(TZelMLNode& lang);

private:
    std::vector<std::unique_ptr<TLxLanguageItem>> items_;
};

// The messages a language gives, by their numbers in the definition file.
enum TLxMessage : int {
    msgPackageMissing = 100,     // the installer file is missing at run time
    msgChooseLanguage = 101,     // the selection window's request to choose
    msgCloseQuestion = 102,      // closing the selection window without a choice
    msgPackageDidNotStart = 103, // starting the installer failed
};
constexpr int kFirstMessage = msgPackageMissing;
constexpr int kLastMessage = msgPackageDidNotStart;

// A language of the setup: its installer file and the texts of the windows in that language,
// from the "item" elements of its "lang" element.
class TLxSetupLanguageItem : public TLxLanguageItem {
public:
    explicit TLxSetupLanguageItem(TZelMLNode& lang);

    std::wstring SetupFile; // the installer package; the launcher makes it a full path
    std::wstring Title;
    std::wstring StartCaption;
    std::wstring CancelCaption;
    std::wstring EngVew; // progress line before the converter's first message
    std::wstring EngMan; // progress line after it
    std::wstring EngSta; // status line before the converter's first message
    std::wstring EngIst; // status line after it
    std::array<std::wstring, kLastMessage - kFirstMessage + 1> Messages; // 100 to 103
    bool Usable = false;                                                 // set by UpdateUsable

    // The message with that number; empty for numbers other than 100 to 103.
    std::wstring GetMessage(int number) const;
    // Usable: the locale is installed and one of the language's fonts is.
    bool UpdateUsable();

private:
    void ReadText(const std::wstring& name, std::wstring value);
};

class TLxSetupLanguageCollection : public TLxLanguageCollection {
public:
    TLxSetupLanguageItem* Items(int index) const {
        return static_cast<TLxSetupLanguageItem*>(TLxLanguageCollection::Items(index));
    }

protected:
    std::unique_ptr<TLxLanguageItem> CreateItem(TZelMLNode& lang) override;
};

// The user's default locale reduced to the value a language's "langid" is compared with: its
// primary language (low 8 bits), except for the Chinese and Serbo-Croatian languages (04 and 1A),
// which keep the low 11 bits (0404 Chinese (Taiwan), 0004 Chinese (PRC), 041A Croatian, 001A
// Serbian).
uint16_t UserLanguageID();
// The same reduction of any locale identifier.
uint16_t LanguageIDOfLocale(LCID locale);

// A hexadecimal text as the catalogue reads it: "$" and the text through IntegerWithDefault,
// default 0, taken as a 32-bit pattern.
uint32_t HexadecimalValue(std::wstring_view text);
