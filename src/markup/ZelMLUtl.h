// The markup tree of the language definition file and its parser.
//
// The model is loose: every construct of the text (tags, end tags, comments, text) becomes a
// node, and names, nesting and quoting are never validated. A tag's name and attributes are
// split from its text on first need and cached. Character references are decoded in attribute
// values only; node texts keep them as written, and their line breaks are always CR LF.
//
// A blank is any character up to U+0020; names compare ignoring case by the user's locale.
// Positions in texts are 0-based.
#pragma once

#include "text/ZelConvUtl.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum TZelMLNodeKind : uint8_t {
    mlnNone,                  // text before the first construct, the unscanned rest, a cleared node
    mlnProcessingInstruction, // "<?" ... ">"
    mlnDeclaration,           // "<!" ... ">", neither comment nor CDATA section
    mlnCData,                 // "<![CDATA[" ... "]]>"
    mlnComment,               // "<!--" ... "-->"
    mlnStartTag,              // opens an element
    mlnEndTag,                // "</" ... ">"
    mlnEmptyTag,              // a tag that ends with "/>"
    mlnStyleText,             // the content of a "style" element
    mlnScriptText,            // the content of a "script" element
    mlnText,                  // text that follows a construct
    mlnDocument,              // a document root as created
};

class TZelMLAttributes;
class TZelMLDocumentRoot;
class TZelMLDocumentParser;

// A node of the tree. Children are owned through the child list: freeing a node frees its
// whole subtree. No operation recurses once per level, so any depth of nesting is safe.
class TZelMLNode {
public:
    explicit TZelMLNode(TZelMLDocumentRoot* root);
    // Frees the subtree, then unlinks the node, leaving its parent's list consistent.
    virtual ~TZelMLNode();
    TZelMLNode(const TZelMLNode&) = delete;
    TZelMLNode& operator=(const TZelMLNode&) = delete;

    TZelMLDocumentRoot* Root; // the root the node was made for; null for a root
    TZelMLNode* Parent = nullptr;
    TZelMLNode* PrevSibling = nullptr;
    TZelMLNode* NextSibling = nullptr;
    TZelMLNode* FirstChild = nullptr; // owned, with the rest of the child list
    TZelMLNode* LastChild = nullptr;
    TZelMLNodeKind Kind = mlnNone;
    // The source text of the construct, delimiters included; for a tag, the rebuilt form once
    // GetText has run.
    std::wstring Text;
    std::wstring AttributeText; // a tag's text after its name, trimmed
    bool NameParsed = false;
    bool AttributesParsed = false;
    std::wstring Name;                            // a tag's first word
    std::unique_ptr<TZelMLAttributes> Attributes; // null while the tag has none

    // Frees the children, then clears the node.
    virtual void Reset();
    // Kind none, empty text, parsed caches dropped.
    virtual void Clear();
    virtual void ClearParsed();
    // Frees every descendant, deepest first.
    virtual void DeleteChildren();

    // Clears the node and gives it a kind and a text; a tag's name and attributes are parsed
    // at once.
    void Assign(TZelMLNodeKind kind, std::wstring text);
    void SetText(std::wstring text);
    // The text; a tag's text is rebuilt from its name and attributes first.
    const std::wstring& GetText();
    // The attributes' rebuilt texts, each trimmed and after one space; empty without any.
    std::wstring GetAttributesText();
    const std::wstring& GetName();
    // The attribute list, created empty when the tag has none; never null.
    TZelMLAttributes& GetAttributes();
    // The node's text followed by the texts of its descendants in document order.
    std::wstring GetMarkup();

    // Takes the node out of its parent's list; it keeps its own children. The caller then owns
    // the node.
    void Unlink();
    // Unlinks the node and appends it to this node's children, which then own it. False for
    // null.
    bool AppendChild(std::unique_ptr<TZelMLNode> node);
    // The first child, else the next sibling, else the parent's next sibling (one level only).
    TZelMLNode* NextInDocument() const;
    bool IsDescendantOf(const TZelMLNode* ancestor) const;
    // Processing instructions, declarations, start, end and empty tags.
    bool IsTag() const;

    void ParseName();
    void ParseAttributes();
};

class TZelMLDocumentRoot : public TZelMLNode {
public:
    explicit TZelMLDocumentRoot(TZelMLDocumentParser* parser);

    TZelMLDocumentParser* Parser; // the parser that owns this root

    // A new detached node of this root with the kind and text given.
    std::unique_ptr<TZelMLNode> CreateNode(TZelMLNodeKind kind, std::wstring text);
    // The first tag node after the given one (from the start without one) in document order
    // whose name equals name ignoring case, or null. Any tag kind matches.
    TZelMLNode* FindElement(std::wstring_view name, const TZelMLNode* after = nullptr);
};

// One attribute token of a tag, split into name and value on first need.
class TZelMLAttribute {
public:
    explicit TZelMLAttribute(std::wstring text);

    std::wstring Text; // the token as cut from the tag, or the rebuilt token after Build
    std::wstring Name;
    std::wstring Value;    // unquoted, trimmed inside the quotes, references decoded
    bool HasValue = false; // the token holds "="

    // Splits Text at its first "="; runs while Name is empty.
    void Parse();
    // Rebuilds Text as name="value"; runs when Name is not empty.
    void Build();
    const std::wstring& GetName();
    const std::wstring& GetValue();
    const std::wstring& GetText();
};

// The attributes of a tag in the order of the tag, duplicates included.
class TZelMLAttributes {
public:
    explicit TZelMLAttributes(TZelMLNode* node);

    TZelMLNode* Node; // the owning node
    std::vector<std::unique_ptr<TZelMLAttribute>> Items;

    void Clear() { Items.clear(); }
    TZelMLAttribute* Add(std::wstring text);
    int Count() const { return static_cast<int>(Items.size()); }
    // The first attribute whose name equals name ignoring case, or null; null for an empty name.
    TZelMLAttribute* Find(std::wstring_view name);
    // The value of Find's attribute, or the empty string.
    std::wstring GetValue(std::wstring_view name);
};

// Turns a markup text into a tree under its own root. Loading a file (the text content base)
// decodes its bytes and hands the text to SetText, which parses it. Parsing never fails.
class TZelMLDocumentParser : public TZelCustomTextContent {
public:
    // With trimWhitespace, a scanned stretch that is blank only produces no node.
    explicit TZelMLDocumentParser(bool trimWhitespace);
    ~TZelMLDocumentParser() override;

    std::unique_ptr<TZelMLDocumentRoot> Root;

    // The markup rebuilt from the tree, not the stored source text.
    std::wstring GetText() const override;
    // Stores the text and parses it into Root, replacing the previous tree.
    void SetText(const std::wstring& text) override;
    // Parses text into root (emptied first when it is Root) and returns the first node added,
    // or null for an empty text. Nodes are always made by Root.
    TZelMLNode* Parse(TZelMLDocumentRoot& root, const std::wstring& text);
};

// The value of an attribute token's part after "=": unquoted from double quotes or
// apostrophes, trimmed, references decoded.
std::wstring DecodeAttributeValue(const std::wstring& s);
// The value between double quotes with "&", "<", ">" and the double quote encoded.
std::wstring QuoteAttributeValue(const std::wstring& value);

// The characters of text from start up to end, every line break (CR, LF, CR LF or LF CR)
// written as CR LF.
std::wstring CopyTextRange(std::wstring_view text, size_t start, size_t end);
// The inside of a tag's text: without "<" (and "?", "!" or "/" after it) at the start and ">"
// (or "?>", "!>", "/>") at the very end.
std::wstring_view StripTagDelimiters(std::wstring_view text);
// Splits the inside of a tag into its first word (leading blanks included) and the rest,
// trimmed.
void ExtractFirstWord(std::wstring_view inner, std::wstring& word, std::wstring& rest);
// The next attribute token of an attribute text from position on, which it moves past the
// token; empty at the end of the text.
std::wstring NextAttributeToken(std::wstring_view text, size_t& position);
