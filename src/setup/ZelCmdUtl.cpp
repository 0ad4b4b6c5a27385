#include "setup/ZelCmdUtl.h"

#include "strings/LocaleText.h"

#include <windows.h>

namespace {

bool SeparatesArguments(wchar_t c) {
    return c <= L' ';
}

// The entries of a ";"-separated list, in list order; empty entries are left out.
std::vector<std::wstring> ListEntries(const std::wstring& list) {
    std::vector<std::wstring> entries;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(L';', start);
        if (end == std::wstring::npos)
            end = list.size();
        if (end > start)
            entries.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

} // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine) {
    std::vector<std::wstring> arguments;
    size_t i = 0;
    const size_t n = commandLine.size();
    while (i < n) {
        while (i < n && SeparatesArguments(commandLine[i]))
            ++i;
        if (i >= n)
            break;
        std::wstring argument;
        while (i < n && !SeparatesArguments(commandLine[i])) {
            if (commandLine[i] == L'"') {
                ++i;
                while (i < n && commandLine[i] != L'"')
                    argument += commandLine[i++];
                if (i < n)
                    ++i; // the closing quote
            } else {
                argument += commandLine[i++];
            }
        }
        if (!argument.empty())
            arguments.push_back(std::move(argument));
    }
    return arguments;
}

TZelCmdOptionCollection::TZelCmdOptionCollection(bool parseNow) {
    if (parseNow)
        Parse();
}

void TZelCmdOptionCollection::Parse() {
    ParseArguments(SplitCommandLine(GetCommandLineW()));
}

void TZelCmdOptionCollection::ParseArguments(const std::vector<std::wstring>& arguments) {
    Clear();
    std::wstring pendingPrefix, pendingName;
    auto addPending = [&] {
        if (!pendingName.empty())
            Add(pendingPrefix, pendingName, L"");
        pendingPrefix.clear();
        pendingName.clear();
    };
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument.empty())
            continue;
        std::wstring prefix, rest;
        SplitPrefix(argument, prefix, rest);
        if (prefix.empty()) {
            // A plain argument is the value of the option written just before it.
            Add(pendingPrefix, pendingName, argument);
            pendingPrefix.clear();
            pendingName.clear();
            continue;
        }
        bool found = false;
        std::wstring name, value;
        SplitSeparator(rest, found, name, value);
        addPending();
        if (found) {
            Add(prefix, name, value);
        } else {
            pendingPrefix = prefix;
            pendingName = rest;
        }
    }
    addPending();
}

const TZelCmdOptionItem* TZelCmdOptionCollection::Find(std::wstring_view name) const {
    if (name.empty())
        return nullptr;
    for (const auto& item : Items)
        if (SameString(item->Name, name, !CaseSensitive))
            return item.get();
    return nullptr;
}

void TZelCmdOptionCollection::SplitPrefix(const std::wstring& argument, std::wstring& prefix,
                                          std::wstring& rest) const {
    for (const std::wstring& entry : ListEntries(Prefixes)) {
        if (argument.starts_with(entry)) {
            prefix = entry;
            rest = argument.substr(entry.size());
            return;
        }
    }
    prefix.clear();
    rest = argument;
}

void TZelCmdOptionCollection::SplitSeparator(const std::wstring& text, bool& found,
                                             std::wstring& name, std::wstring& value) const {
    for (const std::wstring& entry : ListEntries(Separators)) {
        const size_t at = text.find(entry);
        if (at != std::wstring::npos) {
            found = true;
            name = text.substr(0, at);
            value = text.substr(at + entry.size());
            return;
        }
    }
    found = false;
}

void TZelCmdOptionCollection::Add(std::wstring prefix, std::wstring name, std::wstring value) {
    Items.push_back(std::make_unique<TZelCmdOptionItem>(
        TZelCmdOptionItem{std::move(prefix), std::move(name), std::move(value)}));
}
