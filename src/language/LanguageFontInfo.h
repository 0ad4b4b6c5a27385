// The font a language's texts are shown in: the first installed candidate of the language's font
// list, with the character set and point size that go with it.
#pragma once

#include <cstdint>
#include <string>

class TZelLanguageFontInfo {
public:
    TZelLanguageFontInfo() { Reset(); }

    std::wstring Name; // the chosen installed family as the list writes it; empty for none
    uint8_t Charset;   // the character set to ask for with the font
    int32_t Size;      // in points

    // No font: empty name, DEFAULT_CHARSET, 10 points.
    void Reset();

    // Chooses the first installed family of fontList. The three lists are ";"-separated and
    // parallel: the n-th charset (hexadecimal) and the n-th size (decimal) belong to the n-th
    // font. An empty or unusable charset or size entry keeps the value of the entry before it,
    // so "80" and "9" given once hold for every font. True when an installed family was found;
    // otherwise the fields stay as Reset leaves them.
    bool Parse(std::wstring fontList, std::wstring charsetList, std::wstring sizeList);

    // The family a window uses for the language: Name, else the default GUI font's face, else
    // the first installed TrueType variable-pitch family of Charset; empty when all fail.
    std::wstring GetFontName() const;
};
