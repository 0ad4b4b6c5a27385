// The catalogue view of the inspector: the languages of a definition file as the launcher reads
// them, then which of them it would offer and propose if the file lay beside it.
#pragma once

#include <cstdint>
#include <string>

struct CatalogueDump {
    std::string text;     // the lines, each ended by LF
    bool anyKept = false; // at least one language would be offered
};

// Loads the file (a full path) into the setup's catalogue and describes it. installedLanguage
// and userLanguage are the values the launcher's default choice compares "langid" with.
CatalogueDump DumpCatalogue(const std::wstring& fileName, uint16_t installedLanguage,
                            uint16_t userLanguage);
