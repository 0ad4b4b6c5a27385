// The installed font families: the filtering enumerator and the two fallbacks a language's font
// falls back on.
#include "language/ZelFontUtl.h"

#include "platform/ScreenDC.h"
#include "strings/LocaleText.h"

#include <algorithm>
#include <cwchar>

namespace {

TZelFontPitch PitchOf(BYTE pitchAndFamily) {
    if (pitchAndFamily & FIXED_PITCH)
        return fpFixed;
    if (pitchAndFamily & VARIABLE_PITCH)
        return fpVariable;
    return fpDefault;
}

TZelFontStyles StyleOf(const LOGFONTW& font) {
    unsigned style = fsNone;
    if (font.lfWeight > FW_NORMAL)
        style |= fsBold;
    if (font.lfItalic)
        style |= fsItalic;
    if (font.lfUnderline)
        style |= fsUnderline;
    if (font.lfStrikeOut)
        style |= fsStrikeOut;
    return static_cast<TZelFontStyles>(style);
}

bool IsAtName(const LOGFONTW& font) {
    return font.lfFaceName[0] == L'@';
}

} // namespace

TZelFontInfoRec FontInfoFromLogFont(const LOGFONTW& font, TZelFontTypes fontType) {
    TZelFontInfoRec info;
    info.Charset = font.lfCharSet;
    info.Height = font.lfHeight;
    info.Name.assign(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE));
    info.Orientation = font.lfOrientation;
    info.Pitch = PitchOf(font.lfPitchAndFamily);
    info.Style = StyleOf(font);
    info.FontType = fontType;
    return info;
}

bool TZelFontInfoList::GetInfo(int index, TZelFontInfoRec& info) const {
    if (index < 0 || index >= Count())
        return false;
    info = entries_[index];
    return true;
}

void TZelFonts::SetCharset(uint8_t charset) {
    charset_ = charset;
    list_.reset();
}

void TZelFonts::SetPitch(uint8_t pitch) {
    pitch_ = pitch;
    list_.reset();
}

bool TZelFonts::Accepts(const LOGFONTW& font, TZelFontTypes fontType) const {
    if (FilterCharset && font.lfCharSet != charset_)
        return false;
    if (FontTypes != ftNone && fontType != FontTypes)
        return false;
    if (pitch_ != fpDefault && PitchOf(font.lfPitchAndFamily) != pitch_)
        return false;
    switch (AtNames) {
    case anLeaveOut:
        return !IsAtName(font);
    case anOnly:
        return IsAtName(font);
    default:
        return true;
    }
}

int CALLBACK TZelFonts::FilterFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD fontType,
                                     LPARAM self) try {
    auto& fonts = *reinterpret_cast<TZelFonts*>(self);
    const auto types = static_cast<TZelFontTypes>(fontType & (ftRaster | ftDevice | ftTrueType));
    if (fonts.Accepts(*font, types))
        fonts.list_->Add(FontInfoFromLogFont(*font, types));
    return 1;
} catch (...) {
    return 0; // out of memory: the families found so far stay
}

void TZelFonts::Enumerate() {
    if (!list_)
        list_ = std::make_unique<TZelFontInfoList>();
    list_->Clear();
    const TZelScreenDC screen;
    if (!screen.Get())
        return;
    EnumFontFamiliesW(screen.Get(), nullptr, FilterFamily, reinterpret_cast<LPARAM>(this));
}

const TZelFontInfoList& TZelFonts::GetList() {
    if (!list_)
        Enumerate();
    return *list_;
}

TZelFontInfoRec GetDefaultGuiFontInfo() {
    LOGFONTW font{};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font))
        return {};
    return FontInfoFromLogFont(font, ftNone);
}

std::wstring FirstFontOfCharset(bool fixedPitch, int32_t index, uint8_t charset) try {
    if (charset == DEFAULT_CHARSET)
        charset = GetDefaultGuiFontInfo().Charset;
    TZelFonts fonts;
    fonts.SetCharset(charset);
    fonts.SetPitch(fixedPitch ? fpFixed : fpVariable);
    TZelFontInfoRec info;
    if (fonts.GetList().GetInfo(index, info))
        return info.Name;
    return {};
} catch (...) {
    return {};
}

namespace {

// The device context the families are looked up on: one for all lookups of the process, because
// fetching and releasing the screen's context for each family cost more than a lookup of a family
// that is not installed. A memory context made for the screen lists the screen's fonts. A context
// that could not be made is asked for again at the next lookup.
HDC FamilyLookupDC() {
    static TZelOwnDC lookupDC;
    if (!lookupDC.Valid())
        lookupDC.Reset(CreateCompatibleDC(nullptr));
    return lookupDC.Get();
}

struct FamilyLookup {
    const std::wstring& name;
    bool found = false;
};

// The system may answer a request for one family with the family under another of its names;
// only a face of the name asked for counts, as only that name stands in the list of families.
int CALLBACK MatchFamilyName(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM lookup) {
    auto& request = *reinterpret_cast<FamilyLookup*>(lookup);
    const std::wstring_view face(font->lfFaceName, wcsnlen(font->lfFaceName, LF_FACESIZE));
    request.found = SameText(face, request.name);
    return request.found ? 0 : 1;
}

} // namespace

bool IsFontFamilyInstalled(const std::wstring& name) {
    // A face name holds at most LF_FACESIZE - 1 characters: no family has a longer one.
    if (name.empty() || name.size() >= LF_FACESIZE)
        return false;
    const HDC lookupDC = FamilyLookupDC();
    if (!lookupDC)
        return false;
    LOGFONTW family{};
    family.lfCharSet = DEFAULT_CHARSET; // every character set of the family
    name.copy(family.lfFaceName, name.size());
    FamilyLookup lookup{name};
    EnumFontFamiliesExW(lookupDC, &family, MatchFamilyName, reinterpret_cast<LPARAM>(&lookup), 0);
    return lookup.found;
}
