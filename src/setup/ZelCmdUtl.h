// The parsed process command line: options with prefix, name and value, looked up by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One recognised option, or a plain argument (empty prefix and name).
struct TZelCmdOptionItem {
    std::wstring Prefix; // "-" or "/"; empty for a plain argument
    std::wstring Name;   // as written, without prefix and separator
    std::wstring Value;  // the text after the separator, or the plain argument that followed
};

// Splits a command line into arguments: characters up to U+0020 separate them, a double quote
// opens a stretch up to the next one in which they do not, quotes are dropped, and an empty
// quoted argument is skipped. Argument 0 is the program's own path.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

class TZelCmdOptionCollection {
public:
    explicit TZelCmdOptionCollection(bool parseNow);

    std::vector<std::unique_ptr<TZelCmdOptionItem>> Items;
    bool CaseSensitive = false;
    std::wstring Prefixes = L"-;/";
    std::wstring Separators = L":";

    // Rebuilds Items from the process command line.
    void Parse();
    // Rebuilds Items from the given arguments; argument 0 is not parsed.
    void ParseArguments(const std::vector<std::wstring>& arguments);

    // The first item whose Name equals name, or null; an empty name finds nothing.
    const TZelCmdOptionItem* Find(std::wstring_view name) const;

    void SplitPrefix(const std::wstring& argument, std::wstring& prefix, std::wstring& rest) const;
    void SplitSeparator(const std::wstring& text, bool& found, std::wstring& name,
                        std::wstring& value) const;

    void Clear() { Items.clear(); }

private:
    void Add(std::wstring prefix, std::wstring name, std::wstring value);
};
