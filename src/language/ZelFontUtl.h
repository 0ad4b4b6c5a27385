// The installed font families of the screen: the enumerator that filters them by character set,
// pitch, font type and vertical-writing names, the face of the default GUI font, and the family
// names a language's font list is matched against.
//
// Nothing here raises; when Windows reports no family that fits, lists are empty and names are
// empty texts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Font types as Windows reports them with a family (the same bit values).
enum TZelFontTypes : uint8_t {
    ftNone = 0,
    ftRaster = RASTER_FONTTYPE,
    ftDevice = DEVICE_FONTTYPE,
    ftTrueType = TRUETYPE_FONTTYPE,
};

enum TZelFontStyles : uint8_t {
    fsNone = 0,
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

enum TZelFontPitch : uint8_t {
    fpDefault = 0, // also: no pitch filter
    fpVariable = 1,
    fpFixed = 2,
};

// How the enumerator treats face names that begin with "@" (the vertical-writing variants of
// East Asian families). Any value other than the first two takes all names.
enum TZelAtNames : uint8_t {
    anLeaveOut = 0,
    anOnly = 1,
    anAll = 2,
};

// One font family as Windows describes its logical font.
struct TZelFontInfoRec {
    uint8_t Charset = 0;
    int32_t Height = 0;
    std::wstring Name; // the face name, at most 32 characters
    int32_t Orientation = 0;
    TZelFontPitch Pitch = fpDefault;
    TZelFontStyles Style = fsNone;
    TZelFontTypes FontType = ftNone; // empty for the default GUI font
};

// The entries of a logical font; fontType is what the enumeration reports for the family.
TZelFontInfoRec FontInfoFromLogFont(const LOGFONTW& font, TZelFontTypes fontType);

class TZelFontInfoList {
public:
    void Clear() { entries_.clear(); }
    int Count() const { return static_cast<int>(entries_.size()); }
    void Add(TZelFontInfoRec info) { entries_.push_back(std::move(info)); }
    // Copies the entry at the 0-based index; false (info untouched) outside the list.
    bool GetInfo(int index, TZelFontInfoRec& info) const;

private:
    std::vector<TZelFontInfoRec> entries_;
};

// Enumerates the screen's font families and keeps those that pass its filters, in the order
// Windows reports them. The list is built on first need and again after each filter change.
class TZelFonts {
public:
    // When not empty, a family is taken only when its font type set is exactly this one: with
    // TrueType alone, a family reported as TrueType and device is left out as well.
    TZelFontTypes FontTypes = ftTrueType;
    uint8_t AtNames = anLeaveOut;
    // When set, a family is taken only when its character set equals Charset().
    bool FilterCharset = true;

    uint8_t Charset() const { return charset_; }
    uint8_t Pitch() const { return pitch_; }
    // Both store the filter value and discard the list.
    void SetCharset(uint8_t charset);
    void SetPitch(uint8_t pitch);

    // Builds the list again from what Windows reports now.
    void Enumerate();
    // The list, enumerated first when there is none.
    const TZelFontInfoList& GetList();

private:
    bool Accepts(const LOGFONTW& font, TZelFontTypes fontType) const;
    static int CALLBACK FilterFamily(const LOGFONTW* font, const TEXTMETRICW* metrics,
                                     DWORD fontType, LPARAM self);

    uint8_t charset_ = DEFAULT_CHARSET;
    uint8_t pitch_ = fpDefault;
    std::unique_ptr<TZelFontInfoList> list_;
};

// The default GUI font (the stock object DEFAULT_GUI_FONT); its FontType is empty. All fields
// are empty when Windows does not describe the font.
TZelFontInfoRec GetDefaultGuiFontInfo();

// The name of the family at the 0-based index among the installed TrueType families of the
// character set with fixed or variable pitch, leaving out the "@" names; empty when there are not
// that many. DEFAULT_CHARSET stands for the character set of the default GUI font.
std::wstring FirstFontOfCharset(bool fixedPitch, int32_t index, uint8_t charset);

// Whether a font family of this face name (compared ignoring case) is installed for the screen,
// of any character set and font type, "@" names included: whether the list of the screen's
// installed families holds it. Only that family is asked for, not the whole list.
bool IsFontFamilyInstalled(const std::wstring& name);
