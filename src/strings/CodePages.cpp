#include "strings/CodePages.h"

#include "strings/LocaleText.h"
#include "strings/ZelStrUtl.h"

const std::array<TZelCodePageRec, 140> CodePageTable{{
    {L"utf-8", 65001, L"utf-8", L""},
    {L"utf-7", 65000, L"utf-7", L""},
    {L"utf-16", 1200, L"utf-16", L""},
    {L"utf-16BE", 1201, L"utf-16BE", L""},
    {L"IBM037", 37, L"IBM037", L""},
    {L"IBM437", 437, L"IBM437", L""},
    {L"IBM500", 500, L"IBM500", L""},
    {L"ASMO-708", 708, L"ASMO-708", L""},
    {L"DOS-720", 720, L"DOS-720", L""},
    {L"ibm737", 737, L"ibm737", L""},
    {L"ibm775", 775, L"ibm775", L""},
    {L"ibm850", 850, L"ibm850", L""},
    {L"ibm852", 852, L"ibm852", L""},
    {L"IBM855", 855, L"IBM855", L""},
    {L"ibm857", 857, L"ibm857", L""},
    {L"IBM00858", 858, L"IBM00858", L""},
    {L"IBM860", 860, L"IBM860", L""},
    {L"ibm861", 861, L"ibm861", L""},
    {L"DOS-862", 862, L"DOS-862", L""},
    {L"IBM863", 863, L"IBM863", L""},
    {L"IBM864", 864, L"IBM864", L""},
    {L"IBM865", 865, L"IBM865", L""},
    {L"cp866", 866, L"cp866", L""},
    {L"ibm869", 869, L"ibm869", L""},
    {L"IBM870", 870, L"IBM870", L""},
    {L"windows-874", 874, L"windows-874", L""},
    {L"cp875", 875, L"cp875", L""},
    {L"shift_jis", 932, L"iso-2022-jp", L""},
    {L"gb2312", 936, L"gb2312", L""},
    {L"ks_c_5601-1987", 949, L"ks_c_5601-1987", L""},
    {L"big5", 950, L"big5", L""},
    {L"IBM1026", 1026, L"IBM1026", L""},
    {L"IBM01047", 1047, L"IBM01047", L""},
    {L"IBM01140", 1140, L"IBM01140", L""},
    {L"IBM01141", 1141, L"IBM01141", L""},
    {L"IBM01142", 1142, L"IBM01142", L""},
    {L"IBM01143", 1143, L"IBM01143", L""},
    {L"IBM01144", 1144, L"IBM01144", L""},
    {L"IBM01145", 1145, L"IBM01145", L""},
    {L"IBM01146", 1146, L"IBM01146", L""},
    {L"IBM01147", 1147, L"IBM01147", L""},
    {L"IBM01148", 1148, L"IBM01148", L""},
    {L"IBM01149", 1149, L"IBM01149", L""},
    {L"windows-1250", 1250, L"iso-8859-2", L"windows-1250"},
    {L"windows-1251", 1251, L"koi8-r", L"windows-1251"},
    {L"Windows-1252", 1252, L"iso-8859-1", L"Windows-1252"},
    {L"windows-1253", 1253, L"iso-8859-7", L"windows-1253"},
    {L"windows-1254", 1254, L"iso-8859-9", L"windows-1254"},
    {L"windows-1255", 1255, L"windows-1255", L""},
    {L"windows-1256", 1256, L"windows-1256", L""},
    {L"windows-1257", 1257, L"windows-1257", L""},
    {L"windows-1258", 1258, L"windows-1258", L""},
    {L"Johab", 1361, L"Johab", L""},
    {L"macintosh", 10000, L"macintosh", L""},
    {L"x-mac-japanese", 10001, L"x-mac-japanese", L""},
    {L"x-mac-chinesetrad", 10002, L"x-mac-chinesetrad", L""},
    {L"x-mac-korean", 10003, L"x-mac-korean", L""},
    {L"x-mac-arabic", 10004, L"x-mac-arabic", L""},
    {L"x-mac-hebrew", 10005, L"x-mac-hebrew", L""},
    {L"x-mac-greek", 10006, L"x-mac-greek", L""},
    {L"x-mac-cyrillic", 10007, L"x-mac-cyrillic", L""},
    {L"x-mac-chinesesimp", 10008, L"x-mac-chinesesimp", L""},
    {L"x-mac-romanian", 10010, L"x-mac-romanian", L""},
    {L"x-mac-ukrainian", 10017, L"x-mac-ukrainian", L""},
    {L"x-mac-thai", 10021, L"x-mac-thai", L""},
    {L"x-mac-ce", 10029, L"x-mac-ce", L""},
    {L"x-mac-icelandic", 10079, L"x-mac-icelandic", L""},
    {L"x-mac-turkish", 10081, L"x-mac-turkish", L""},
    {L"x-mac-croatian", 10082, L"x-mac-croatian", L""},
    {L"utf-32", 12000, L"utf-32", L""},
    {L"utf-32BE", 12001, L"utf-32BE", L""},
    {L"x-Chinese-CNS", 20000, L"x-Chinese-CNS", L""},
    {L"x-cp20001", 20001, L"x-cp20001", L""},
    {L"x-Chinese-Eten", 20002, L"x-Chinese-Eten", L""},
    {L"x-cp20003", 20003, L"x-cp20003", L""},
    {L"x-cp20004", 20004, L"x-cp20004", L""},
    {L"x-cp20005", 20005, L"x-cp20005", L""},
    {L"x-IA5", 20105, L"x-IA5", L""},
    {L"x-IA5-German", 20106, L"x-IA5-German", L""},
    {L"x-IA5-Swedish", 20107, L"x-IA5-Swedish", L""},
    {L"x-IA5-Norwegian", 20108, L"x-IA5-Norwegian", L""},
    {L"us-ascii", 20127, L"us-ascii", L""},
    {L"x-cp20261", 20261, L"x-cp20261", L""},
    {L"x-cp20269", 20269, L"x-cp20269", L""},
    {L"IBM273", 20273, L"IBM273", L""},
    {L"IBM277", 20277, L"IBM277", L""},
    {L"IBM278", 20278, L"IBM278", L""},
    {L"IBM280", 20280, L"IBM280", L""},
    {L"IBM284", 20284, L"IBM284", L""},
    {L"IBM285", 20285, L"IBM285", L""},
    {L"IBM290", 20290, L"IBM290", L""},
    {L"IBM297", 20297, L"IBM297", L""},
    {L"IBM420", 20420, L"IBM420", L""},
    {L"IBM423", 20423, L"IBM423", L""},
    {L"IBM424", 20424, L"IBM424", L""},
    {L"x-EBCDIC-KoreanExtended", 20833, L"x-EBCDIC-KoreanExtended", L""},
    {L"IBM-Thai", 20838, L"IBM-Thai", L""},
    {L"koi8-r", 20866, L"koi8-r", L""},
    {L"IBM871", 20871, L"IBM871", L""},
    {L"IBM880", 20880, L"IBM880", L""},
    {L"IBM905", 20905, L"IBM905", L""},
    {L"IBM00924", 20924, L"IBM00924", L""},
    {L"EUC-JP", 20932, L"EUC-JP", L""},
    {L"x-cp20936", 20936, L"x-cp20936", L""},
    {L"x-cp20949", 20949, L"x-cp20949", L""},
    {L"cp1025", 21025, L"cp1025", L""},
    {L"koi8-u", 21866, L"koi8-u", L""},
    {L"iso-8859-1", 28591, L"iso-8859-1", L""},
    {L"iso-8859-2", 28592, L"iso-8859-2", L""},
    {L"iso-8859-3", 28593, L"iso-8859-3", L""},
    {L"iso-8859-4", 28594, L"iso-8859-4", L""},
    {L"iso-8859-5", 28595, L"iso-8859-5", L""},
    {L"iso-8859-6", 28596, L"iso-8859-6", L""},
    {L"iso-8859-7", 28597, L"iso-8859-7", L""},
    {L"iso-8859-8", 28598, L"iso-8859-8", L""},
    {L"iso-8859-9", 28599, L"iso-8859-9", L""},
    {L"iso-8859-13", 28603, L"iso-8859-13", L""},
    {L"iso-8859-15", 28605, L"iso-8859-15", L""},
    {L"x-Europa", 29001, L"x-Europa", L""},
    {L"iso-8859-8-i", 38598, L"iso-8859-8-i", L""},
    {L"iso-2022-jp", 50220, L"iso-2022-jp", L""},
    {L"csISO2022JP", 50221, L"iso-2022-jp", L""},
    {L"iso-2022-jp", 50222, L"iso-2022-jp", L""},
    {L"iso-2022-kr", 50225, L"iso-2022-kr", L"euc-kr"},
    {L"x-cp50227", 50227, L"x-cp50227", L""},
    {L"euc-jp", 51932, L"euc-jp", L""},
    {L"EUC-CN", 51936, L"EUC-CN", L""},
    {L"euc-kr", 51949, L"euc-kr", L""},
    {L"hz-gb-2312", 52936, L"hz-gb-2312", L""},
    {L"GB18030", 54936, L"GB18030", L""},
    {L"x-iscii-de", 57002, L"x-iscii-de", L""},
    {L"x-iscii-be", 57003, L"x-iscii-be", L""},
    {L"x-iscii-ta", 57004, L"x-iscii-ta", L""},
    {L"x-iscii-te", 57005, L"x-iscii-te", L""},
    {L"x-iscii-as", 57006, L"x-iscii-as", L""},
    {L"x-iscii-or", 57007, L"x-iscii-or", L""},
    {L"x-iscii-ka", 57008, L"x-iscii-ka", L""},
    {L"x-iscii-ma", 57009, L"x-iscii-ma", L""},
    {L"x-iscii-gu", 57010, L"x-iscii-gu", L""},
    {L"x-iscii-pa", 57011, L"x-iscii-pa", L""},
}};

namespace {

// Only ASCII letters and digits remain, lower-cased.
std::wstring NormalizedCharset(std::wstring_view name) {
    std::wstring normalized = KeepAlphaNumeric(name);
    for (wchar_t& c : normalized) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return normalized;
}

bool NameMatches(std::wstring_view tableName, const std::wstring& normalizedName) {
    return SameText(NormalizedCharset(tableName), normalizedName);
}

} // namespace

int32_t FindCodePageRec(std::wstring_view name) {
    const std::wstring normalizedName = NormalizedCharset(name);
    if (normalizedName.empty())
        return -1;
    for (size_t i = 0; i < CodePageTable.size(); ++i) {
        const TZelCodePageRec& row = CodePageTable[i];
        if (NameMatches(row.Name, normalizedName) || NameMatches(row.Alias1, normalizedName) ||
            (!row.Alias2.empty() && NameMatches(row.Alias2, normalizedName)))
            return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t CodePageFromCharset(std::wstring_view name) {
    const int32_t index = FindCodePageRec(name);
    return index < 0 ? 0 : CodePageTable[static_cast<size_t>(index)].CodePage;
}

std::wstring Utf16LeToText(const void* bytes, size_t byteCount) {
    std::wstring text;
    if (bytes == nullptr)
        return text;
    const auto* b = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < byteCount; i += 2) {
        const unsigned high = i + 1 < byteCount ? b[i + 1] : 0;
        const auto unit = static_cast<wchar_t>(b[i] | (high << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}
