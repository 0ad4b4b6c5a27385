// The code-page conversions of strings/CodePages.h for the native Linux build of the reader. The
// launcher converts with MultiByteToWideChar and WideCharToMultiByte; here the C library's iconv
// does it, with the same answers where they matter to the reader: texts are UTF-16 units (one
// per wchar_t element, whatever its width), a byte that cannot be read becomes U+FFFD, a unit
// that cannot be written becomes "?", and a code page without a converter gives the empty text.
#include "strings/CodePages.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include <iconv.h>

namespace {

// The system's ANSI code page of the native build: that of a western Windows.
constexpr int32_t kNativeAnsiCodePage = 1252;

// iconv's name of a Windows code page; most are known to it as "CP" and the number.
std::string ConverterName(int32_t codePage) {
    struct Named {
        int32_t codePage;
        const char* name;
    };
    static constexpr Named names[] = {
        {65001, "UTF-8"},       {65000, "UTF-7"},       {20127, "ASCII"},
        {10000, "MACINTOSH"},   {20866, "KOI8-R"},      {21866, "KOI8-U"},
        {20932, "EUC-JP"},      {51932, "EUC-JP"},      {51936, "EUC-CN"},
        {51949, "EUC-KR"},      {50220, "ISO-2022-JP"}, {50221, "ISO-2022-JP"},
        {50222, "ISO-2022-JP"}, {50225, "ISO-2022-KR"}, {52936, "HZ"},
        {54936, "GB18030"},     {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},
        {28593, "ISO-8859-3"},  {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},
        {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"},
        {28599, "ISO-8859-9"},  {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    };
    for (const Named& named : names)
        if (named.codePage == codePage)
            return named.name;
    return "CP" + std::to_string(codePage);
}

// The UTF-16 code pages are not converted by the platform's 8-bit conversions.
bool PlatformConverts(int32_t codePage) {
    return codePage != 1200 && codePage != 1201 && codePage != 12000 && codePage != 12001;
}

struct ConverterCloser {
    void operator()(iconv_t converter) const { iconv_close(converter); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, ConverterCloser>;

Converter OpenConverter(const char* to, const char* from) {
    const iconv_t converter = iconv_open(to, from);
    return Converter(converter == reinterpret_cast<iconv_t>(-1) ? nullptr : converter);
}

// Converts all of input. At a sequence that cannot be converted, replacement is written and
// skip bytes of the input are passed over; an incomplete sequence at the end ends the input.
std::string Convert(iconv_t converter, std::string_view input, std::string_view replacement,
                    size_t skip) {
    std::string output;
    char block[4096];
    auto* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    bool flushing = false; // the input is done: the converter writes its closing shift state
    for (;;) {
        char* out = block;
        size_t outLeft = sizeof block;
        const size_t result = flushing ? iconv(converter, nullptr, nullptr, &out, &outLeft)
                                       : iconv(converter, &in, &inLeft, &out, &outLeft);
        const int error = result == static_cast<size_t>(-1) ? errno : 0;
        output.append(block, static_cast<size_t>(out - block));
        if (error == E2BIG)
            continue; // the block is full: go on with the next one
        if (flushing)
            break;
        if (error == EILSEQ) {
            output.append(replacement);
            const size_t skipped = std::min(skip, inLeft);
            in += skipped;
            inLeft -= skipped;
            continue;
        }
        if (error == EINVAL)
            output.append(replacement);
        flushing = true;
    }
    return output;
}

} // namespace

std::wstring BytesToText(const char* bytes, int32_t codePage) {
    if (bytes == nullptr)
        return {};
    const std::string_view input(bytes);
    if (input.empty())
        return {};
    if (codePage <= 0)
        codePage = kNativeAnsiCodePage;
    if (!PlatformConverts(codePage))
        return {};
    const Converter converter = OpenConverter("UTF-16LE", ConverterName(codePage).c_str());
    if (!converter)
        return {};
    const std::string units = Convert(converter.get(), input, "\xFD\xFF", 1);
    std::wstring text;
    text.reserve(units.size() / 2);
    for (size_t i = 0; i + 1 < units.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(units[i]) |
                                            static_cast<unsigned char>(units[i + 1]) << 8));
    return text;
}

std::string TextToBytes(std::wstring_view text, int32_t codePage) {
    text = text.substr(0, text.find(L'\0'));
    if (text.empty())
        return {};
    if (codePage <= 0)
        codePage = kNativeAnsiCodePage;
    if (!PlatformConverts(codePage))
        return {};
    const Converter converter = OpenConverter(ConverterName(codePage).c_str(), "UTF-16LE");
    if (!converter)
        return {};
    std::string units;
    units.reserve(text.size() * 2);
    for (const wchar_t unit : text) {
        units.push_back(static_cast<char>(unit & 0xFF));
        units.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return Convert(converter.get(), units, "?", 2);
}
