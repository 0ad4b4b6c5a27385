// The language catalogue: the installable languages of the definition file.
#pragma once

#include <memory>
#include <vector>

class TLxSetupLanguageItem;

class TLxSetupLanguageCollection {
public:
    TLxSetupLanguageCollection();
    ~TLxSetupLanguageCollection();

    int Count() const { return static_cast<int>(Items.size()); }

private:
    std::vector<std::unique_ptr<TLxSetupLanguageItem>> Items;
};
