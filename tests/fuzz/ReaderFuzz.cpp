// Fuzz target of the definition-file reader: the bytes of a file go through encoding detection
// and decoding, the markup parser with and without whitespace trimming, the language catalogue,
// the walks, lookups and dump of the inspector, and the character-reference functions. Besides the
// sanitizers' crash, hang and leak reports, a broken tree link, a load that disagrees with the
// decoding, or a value that does not survive encoding and decoding of its references end the run.
#include "language/ornLxLanguages.h"
#include "markup/CharRefs.h"
#include "markup/ZelMLUtl.h"
#include "text/ZelConvUtl.h"

#include "TreeDump.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "reader fault: %s\n", what);
    std::abort();
}

void Expect(bool holds, const char* what) {
    if (!holds)
        Fail(what);
}

// Every child points back to its parent, and the sibling links agree in both directions.
void CheckLinks(const TZelMLNode& node) {
    const TZelMLNode* previous = nullptr;
    for (const TZelMLNode* child = node.FirstChild; child; child = child->NextSibling) {
        Expect(child->Parent == &node, "a child does not point to its parent");
        Expect(child->PrevSibling == previous, "the sibling links disagree");
        previous = child;
    }
    Expect(node.LastChild == previous, "the last child is not the end of the child list");
}

// Depth first over the whole tree, without recursion: a fuzzed document nests deeply.
void CheckTree(TZelMLNode& root) {
    TZelMLNode* node = &root;
    while (node) {
        CheckLinks(*node);
        if (node->FirstChild) {
            node = node->FirstChild;
            continue;
        }
        while (node != &root && !node->NextSibling)
            node = node->Parent;
        node = node == &root ? nullptr : node->NextSibling;
    }
}

// The catalogue read from the tree, and what the windows later ask of each language.
void ReadCatalogue(TZelMLDocumentRoot& root) {
    TLxSetupLanguageCollection catalogue;
    catalogue.LoadFromDocument(root);
    for (int i = 0; i < catalogue.Count(); ++i) {
        TLxSetupLanguageItem* item = catalogue.Items(i);
        Expect(item && !item->Code.empty() && item->LangID != 0,
               "the catalogue kept a bad language");
        for (int number = kFirstMessage; number <= kLastMessage; ++number)
            item->GetMessage(number);
        item->UpdateUsable();
        item->FontInfo().GetFontName();
    }
}

// Every "lang" tag anywhere in the document, one search after the other.
void FindAll(TZelMLDocumentRoot& root) {
    for (TZelMLNode* node = root.FindElement(L"lang"); node; node = root.FindElement(L"lang", node))
        node->GetName();
}

// The inspector's dump: every node's kind, text, name and attributes, then the rebuilt markup.
void Dump(TZelMLDocumentParser& parser) {
    // The records only: indenting every line of a deep tree would cost the fuzzer the square of
    // its depth.
    size_t length = 0;
    DumpTree(parser, [&length](int, std::string_view record) { length += record.size(); });
}

// A value written with its references encoded reads back unchanged.
void CheckCharRefs(const std::wstring& text) {
    const std::wstring value = text.substr(0, 512);
    Expect(DecodeCharRefs(EncodeCharRefs(value)) == value,
           "a value does not survive its references");
    DecodeCharRefs(value);
    QuoteAttributeValue(DecodeAttributeValue(value));
}

void ReadWith(bool trimWhitespace, const uint8_t* data, int32_t size, const std::wstring& text,
              int32_t codePage, const std::wstring& encoding) {
    TZelMLDocumentParser parser(trimWhitespace);
    Expect(parser.LoadFromBuffer(size, data), "a load of a non-empty buffer failed");
    Expect(parser.Text == text && parser.CodePage == codePage && parser.Encoding == encoding,
           "the load disagrees with the decoding");
    CheckTree(*parser.Root);
    if (trimWhitespace)
        ReadCatalogue(*parser.Root);
    FindAll(*parser.Root);
    Dump(parser);
    CheckTree(*parser.Root);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return 0;
    const auto length = static_cast<int32_t>(size);

    int32_t codePage = 0;
    std::wstring encoding;
    const std::wstring text = DecodeTextBuffer(data, length, codePage, encoding);

    for (const bool trimWhitespace : {true, false})
        ReadWith(trimWhitespace, data, length, text, codePage, encoding);
    CheckCharRefs(text);
    return 0;
}
