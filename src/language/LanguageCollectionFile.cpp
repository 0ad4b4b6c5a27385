// Loading the catalogue from the language definition file on disk.
#include "language/ornLxLanguages.h"

#include "markup/ZelMLUtl.h"
#include "platform/Paths.h"

bool TLxLanguageCollection::LoadFromFile(const std::wstring& fileName) try {
    Clear();
    if (fileName.empty() || !FileExistsChecked(fileName))
        return false;
    TZelMLDocumentParser parser(true);
    if (!parser.LoadFromFile(fileName))
        return false;
    return LoadFromDocument(*parser.Root);
} catch (...) {
    return false;
}
