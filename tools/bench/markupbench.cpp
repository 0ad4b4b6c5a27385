// Load time of generated language definition files of 1 MB and 10 MB, each against the floor of
// a plain byte scan of the same file (read whole, every byte looked at once), and the ratio of the
// two loads: loading grows linearly with the file when that ratio stays near 10.
#include "BenchTiming.h"
#include "markup/ZelMLUtl.h"
#include "platform/Owned.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// One "lang" element with the attributes and items a real definition file carries.
std::string LanguageElement(int index) {
    const std::string n = std::to_string(index);
    return "  <!-- language " + n +
           " -->\r\n"
           "  <lang code=\"l" +
           n + "\" lcid=\"0409\" langid=\"9\" engid=\"" + n +
           "\" tabstyle=\"3\" font=\"Tahoma;DejaVu Sans\" charset=\"0;1\" size=\"9;10\" "
           "en=\"Fran\xC3\xA7"
           "ais " +
           n +
           "\">\r\n"
           "    <item name=\"file\" value=\"PagrionViewer_" +
           n +
           ".exe\"/>\r\n"
           "    <item name=\"title\" value=\"Pagrion Viewer &amp; Setup " +
           n +
           "\"/>\r\n"
           "    <item name=\"start\" value=\"&Start\"/>\r\n"
           "    <item name=\"cancel\" value='Cancel'/>\r\n"
           "    <item name=\"engvew\" value=\"Installing the viewer...\"/>\r\n"
           "    <item name=\"101\" value=\"Choose a language.\\nThen press Start.\"/>\r\n"
           "    <item name=\"102\" value=\"Quit the setup?\"></item>\r\n"
           "  </lang>\r\n";
}

std::string DefinitionFile(size_t size) {
    std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<language>\r\n";
    for (int index = 0; text.size() < size; ++index)
        text += LanguageElement(index);
    return text + "</language>\r\n";
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const TZelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.Valid() &&
           WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

// The best of a few runs of a step, in milliseconds, or a negative value when a run fails.
template <typename Step> double BestMilliseconds(Step step) {
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const double start = bench::NowMs();
        if (!step())
            return -1;
        best = std::min(best, bench::NowMs() - start);
    }
    return best;
}

bool Load(const std::wstring& path) {
    TZelMLDocumentParser parser(true);
    return parser.LoadFromFile(path) && parser.Root->FindElement(L"language");
}

// The file read whole and its tag openings counted: the least any reader of it has to do.
bool ScanBytes(const std::wstring& path) {
    const TZelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size;
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size))
        return false;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size())
        return false;
    volatile size_t openings = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '<'));
    return openings > 0;
}

} // namespace

int wmain() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    double milliseconds[2];
    const size_t megabytes[2] = {1, 10};
    for (int i = 0; i < 2; ++i) {
        const std::wstring path =
            std::wstring(temp) + L"markupbench-" + std::to_wstring(GetCurrentProcessId()) + L".dat";
        const bool written = WriteFileBytes(path, DefinitionFile(megabytes[i] << 20));
        milliseconds[i] = written ? BestMilliseconds([&] { return Load(path); }) : -1;
        const double scan = written ? BestMilliseconds([&] { return ScanBytes(path); }) : -1;
        DeleteFileW(path.c_str());
        if (milliseconds[i] < 0 || scan < 0) {
            std::fprintf(stderr, "markupbench: the %u MB file could not be read\n",
                         static_cast<unsigned>(megabytes[i]));
            return 1;
        }
        std::printf("load %2u MB definition file: %7.1f ms, byte scan %5.1f ms, %.0f times the "
                    "scan (best of 5)\n",
                    static_cast<unsigned>(megabytes[i]), milliseconds[i], scan,
                    milliseconds[i] / scan);
    }
    std::printf("ratio 10 MB / 1 MB load: %.2f (linear: near 10)\n",
                milliseconds[1] / milliseconds[0]);
    return 0;
}
