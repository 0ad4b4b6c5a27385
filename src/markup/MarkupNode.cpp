// The tree's nodes: linking, freeing, lazy name and attribute parsing, and rebuilding a tag's
// text. Every walk is a loop: a document may nest as deep as it likes.
#include "markup/ZelMLUtl.h"

#include "strings/LocaleText.h"
#include "strings/ZelStrUtl.h"

// A new node is detached, empty and of kind none: the member initialisers say so.
TZelMLNode::TZelMLNode(TZelMLDocumentRoot* root) : Root(root) {}

TZelMLNode::~TZelMLNode() {
    TZelMLNode::Reset();
    Unlink();
}

void TZelMLNode::Reset() {
    DeleteChildren();
    Clear();
}

void TZelMLNode::Clear() {
    Kind = mlnNone;
    Text.clear();
    ClearParsed();
}

void TZelMLNode::ClearParsed() {
    NameParsed = false;
    AttributesParsed = false;
    Name.clear();
    AttributeText.clear();
    Attributes.reset();
}

void TZelMLNode::DeleteChildren() {
    // Deepest first: go down to a node without children, free it (its destructor unlinks it),
    // go back up to its parent and on to the parent's next first child.
    TZelMLNode* node = this;
    for (;;) {
        while (node->FirstChild)
            node = node->FirstChild;
        if (node == this)
            break;
        TZelMLNode* parent = node->Parent;
        delete node;
        node = parent;
    }
}

void TZelMLNode::Assign(TZelMLNodeKind kind, std::wstring text) {
    Clear();
    Kind = kind;
    SetText(std::move(text));
    ParseAttributes();
}

void TZelMLNode::SetText(std::wstring text) {
    ClearParsed();
    Text = std::move(text);
    ParseAttributes();
}

const std::wstring& TZelMLNode::GetText() {
    if (!NameParsed)
        return Text;
    ParseAttributes();
    switch (Kind) {
    case mlnProcessingInstruction:
        Text = L"<?" + Name + GetAttributesText() + L" ?>";
        break;
    case mlnDeclaration:
        Text = L"<!" + Name + GetAttributesText() + L">";
        break;
    case mlnStartTag:
        Text = L"<" + Name + GetAttributesText() + L">";
        break;
    case mlnEndTag:
        Text = L"</" + Name + GetAttributesText() + L">";
        break;
    case mlnEmptyTag:
        Text = L"<" + Name + GetAttributesText() + L" />";
        break;
    default:
        break;
    }
    return Text;
}

std::wstring TZelMLNode::GetAttributesText() {
    std::wstring text;
    if (!Attributes)
        return text;
    for (const auto& attribute : Attributes->Items) {
        const std::wstring token = Trim(attribute->GetText());
        if (!token.empty())
            text += L" " + token;
    }
    return text;
}

const std::wstring& TZelMLNode::GetName() {
    ParseName();
    return Name;
}

TZelMLAttributes& TZelMLNode::GetAttributes() {
    if (!Attributes) {
        ParseAttributes();
        if (!Attributes)
            Attributes = std::make_unique<TZelMLAttributes>(this);
    }
    return *Attributes;
}

std::wstring TZelMLNode::GetMarkup() {
    std::wstring markup = GetText();
    // The walk of NextInDocument, stopped when it leaves this node's subtree. Counting the
    // levels below this node tells that at once, where asking each node for its ancestors
    // would cost the depth of the tree per node.
    int level = 1;
    for (TZelMLNode* node = FirstChild; node && level > 0;) {
        markup += node->GetText();
        if (node->FirstChild) {
            node = node->FirstChild;
            ++level;
        } else if (node->NextSibling) {
            node = node->NextSibling;
        } else {
            node = node->Parent->NextSibling;
            --level;
        }
    }
    return markup;
}

void TZelMLNode::Unlink() {
    if (PrevSibling)
        PrevSibling->NextSibling = NextSibling;
    else if (Parent && Parent->FirstChild == this)
        Parent->FirstChild = NextSibling;
    if (NextSibling)
        NextSibling->PrevSibling = PrevSibling;
    else if (Parent && Parent->LastChild == this)
        Parent->LastChild = PrevSibling;
    Parent = nullptr;
    PrevSibling = nullptr;
    NextSibling = nullptr;
}

bool TZelMLNode::AppendChild(std::unique_ptr<TZelMLNode> node) {
    if (!node)
        return false;
    TZelMLNode* child = node.release();
    child->Unlink();
    child->PrevSibling = LastChild;
    if (LastChild)
        LastChild->NextSibling = child;
    else
        FirstChild = child;
    LastChild = child;
    child->Parent = this;
    return true;
}

TZelMLNode* TZelMLNode::NextInDocument() const {
    if (FirstChild)
        return FirstChild;
    if (NextSibling)
        return NextSibling;
    return Parent ? Parent->NextSibling : nullptr;
}

bool TZelMLNode::IsDescendantOf(const TZelMLNode* ancestor) const {
    if (!ancestor)
        return false;
    for (const TZelMLNode* node = Parent; node; node = node->Parent)
        if (node == ancestor)
            return true;
    return false;
}

bool TZelMLNode::IsTag() const {
    return Kind == mlnProcessingInstruction || Kind == mlnDeclaration || Kind == mlnStartTag ||
           Kind == mlnEndTag || Kind == mlnEmptyTag;
}

void TZelMLNode::ParseName() {
    if (NameParsed || !IsTag())
        return;
    ExtractFirstWord(StripTagDelimiters(Text), Name, AttributeText);
    NameParsed = true;
}

void TZelMLNode::ParseAttributes() {
    if (AttributesParsed || !IsTag())
        return;
    ParseName();
    size_t position = 0;
    for (std::wstring token; !(token = NextAttributeToken(AttributeText, position)).empty();) {
        if (!Attributes)
            Attributes = std::make_unique<TZelMLAttributes>(this);
        Attributes->Add(std::move(token));
    }
    AttributesParsed = true;
}

TZelMLDocumentRoot::TZelMLDocumentRoot(TZelMLDocumentParser* parser)
    : TZelMLNode(nullptr), Parser(parser) {}

std::unique_ptr<TZelMLNode> TZelMLDocumentRoot::CreateNode(TZelMLNodeKind kind, std::wstring text) {
    auto node = std::make_unique<TZelMLNode>(this);
    node->Assign(kind, std::move(text));
    return node;
}

TZelMLNode* TZelMLDocumentRoot::FindElement(std::wstring_view name, const TZelMLNode* after) {
    if (name.empty())
        return nullptr;
    for (TZelMLNode* node = after ? after->NextInDocument() : FirstChild; node;
         node = node->NextInDocument())
        if (node->IsTag() && SameText(node->GetName(), name))
            return node;
    return nullptr;
}
