// The markup parser: one pass over the characters that cuts the text into segments and makes a
// node of each. The scan state is the kind of the construct being scanned; a ">" ends every
// construct, a "<" starts one, and only comments, CDATA sections and the content of style and
// script elements are skipped whole.
#include "markup/ZelMLUtl.h"

#include "markup/Blanks.h"
#include "strings/LocaleText.h"
#include "strings/ZelStrUtl.h"

namespace {

constexpr std::wstring_view kLineBreak = L"\r\n";

// Trims the text and each of its lines, drops empty lines and ends every line left with CR LF.
// The text came through CopyTextRange, so every line break in it is CR LF already.
std::wstring TrimLines(const std::wstring& s) {
    const std::wstring text = Trim(s);
    std::wstring lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(kLineBreak, start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = Trim(text.substr(start, end - start));
        if (!line.empty())
            lines.append(line).append(kLineBreak);
        start = end + kLineBreak.size();
    }
    return lines;
}

// The state of one Parse call.
class Scan {
public:
    Scan(TZelMLDocumentParser& parser, TZelMLDocumentRoot& root, std::wstring_view text)
        : parser(parser), text(text), current(&root) {}

    void Run();

private:
    TZelMLNodeKind OuterTextKind() const { return TZelMLNodeKind(parser.OuterTextKind); }
    wchar_t At(size_t position) const { return position < text.size() ? text[position] : L'\0'; }
    bool StartsWith(size_t position, std::wstring_view s) const {
        return text.substr(std::min(position, text.size())).starts_with(s);
    }
    // Just after the first "-->" from four characters after the "<!--" at position, or the end.
    size_t SkipComment(size_t position) const { return After(L"-->", position + 4); }
    // Just after the first "]]>" from four characters after the "<![CDATA[" at position.
    size_t SkipCData(size_t position) const { return After(L"]]>", position + 4); }
    size_t After(std::wstring_view end, size_t from) const {
        const size_t found = text.find(end, from);
        return found == std::wstring_view::npos ? text.size() : found + end.size();
    }
    // Where the closing tag ("</style>" or "</script>", any case) starts, or the end.
    size_t FindClosingTag(size_t position, std::wstring_view tag) const;

    void AddSegment(TZelMLNodeKind kind, size_t start, size_t end);
    void Link(std::unique_ptr<TZelMLNode> node, TZelMLNodeKind kind);
    void ScanComment();
    void OpenConstruct();
    void CloseConstruct();
    void SkipRawContent(std::wstring_view closingTag, TZelMLNodeKind kind);

    TZelMLDocumentParser& parser;
    std::wstring_view text;
    TZelMLNodeKind kind = OuterTextKind();
    size_t start = 0;    // where the current segment starts
    size_t position = 0; // the scan position
    TZelMLNode* current; // the element that new nodes join
    // A comment met outside text is carried, with the text before it, to the next segment
    // that makes a node.
    std::wstring pendingPrefix;
    std::wstring pendingComment;
};

size_t Scan::FindClosingTag(size_t from, std::wstring_view tag) const {
    for (size_t found = text.find(L"</", from); found != std::wstring_view::npos;
         found = text.find(L"</", found + 1))
        if (SameText(text.substr(found, tag.size()), tag))
            return found;
    return text.size();
}

void Scan::Run() {
    while (At(position) != L'\0') {
        if (StartsWith(position, L"<!--"))
            ScanComment();
        else if (At(position) == L'<')
            OpenConstruct();
        else if (kind == mlnStartTag && StartsWith(position, L"/>")) {
            kind = mlnEmptyTag;
            position += 1; // the ">" ends the tag next
        } else if (At(position) == L'>')
            CloseConstruct();
        else
            position += 1;
    }
    if (start < position)
        AddSegment(OuterTextKind(), start, position);
}

void Scan::ScanComment() {
    const size_t end = SkipComment(position);
    if (kind == mlnText) {
        AddSegment(mlnText, start, position);
        AddSegment(mlnComment, position, end);
    } else {
        pendingPrefix += CopyTextRange(text, start, position);
        pendingComment += CopyTextRange(text, position, end);
    }
    start = position = end;
}

void Scan::OpenConstruct() {
    AddSegment(kind, start, position);
    start = position;
    const wchar_t next = At(position + 1);
    if (next == L'?') {
        kind = mlnProcessingInstruction;
        position += 2;
    } else if (next == L'!' && StartsWith(position + 2, L"[CDATA[")) {
        const size_t end = SkipCData(position);
        AddSegment(mlnCData, position, end);
        start = position = end;
    } else if (next == L'!') {
        kind = mlnDeclaration;
        position += 2;
    } else if (next == L'/') {
        kind = mlnEndTag;
        position += 2;
    } else {
        kind = mlnStartTag;
        position += 1;
    }
}

void Scan::CloseConstruct() {
    position += 1;
    AddSegment(kind, start, position);
    start = position;
    if (kind == mlnStartTag) { // current is the element just opened
        if (SameText(current->GetName(), L"style"))
            SkipRawContent(L"</style>", mlnStyleText);
        else if (SameText(current->GetName(), L"script"))
            SkipRawContent(L"</script>", mlnScriptText);
    }
    kind = mlnText;
}

void Scan::SkipRawContent(std::wstring_view closingTag, TZelMLNodeKind contentKind) {
    const size_t end = FindClosingTag(position, closingTag);
    AddSegment(contentKind, position, end);
    start = position = end;
}

void Scan::AddSegment(TZelMLNodeKind segmentKind, size_t from, size_t to) {
    if (from >= to)
        return;
    std::wstring segment = CopyTextRange(text, from, to);
    if (segment.empty() || (parser.TrimWhitespace && IsBlankOnly(segment)))
        return; // what is pending stays pending
    // Blanks before a leading comment would otherwise be glued to the first tag and break
    // its name.
    if (!(parser.TrimWhitespace && IsBlankOnly(pendingPrefix)))
        segment.insert(0, pendingPrefix);
    pendingPrefix.clear();
    if (segmentKind == mlnStyleText || segmentKind == mlnScriptText)
        segment = TrimLines(segment);
    Link(parser.Root->CreateNode(segmentKind, std::move(segment)), segmentKind);
    if (!pendingComment.empty()) {
        current->AppendChild(parser.Root->CreateNode(mlnComment, std::move(pendingComment)));
        pendingComment.clear();
    }
}

// An end tag closes the current element, whatever its name, and follows it; a start tag
// opens an element that takes the nodes after it.
void Scan::Link(std::unique_ptr<TZelMLNode> node, TZelMLNodeKind nodeKind) {
    TZelMLNode* added = node.get();
    if (nodeKind == mlnEndTag && current->Parent)
        current = current->Parent;
    current->AppendChild(std::move(node));
    if (nodeKind == mlnStartTag)
        current = added;
}

} // namespace

TZelMLDocumentParser::TZelMLDocumentParser(bool trimWhitespace)
    : Root(std::make_unique<TZelMLDocumentRoot>(this)) {
    Root->Assign(mlnDocument, L"");
    TrimWhitespace = trimWhitespace;
    OuterTextKind = mlnNone;
    SetEncoding(L"utf-8");
}

TZelMLDocumentParser::~TZelMLDocumentParser() = default;

std::wstring TZelMLDocumentParser::GetText() const {
    return Root->GetMarkup();
}

void TZelMLDocumentParser::SetText(const std::wstring& text) {
    TZelCustomTextContent::SetText(text);
    Parse(*Root, Text);
}

TZelMLNode* TZelMLDocumentParser::Parse(TZelMLDocumentRoot& root, const std::wstring& text) {
    if (&root == Root.get())
        root.Reset();
    if (text.empty())
        return nullptr;
    TZelMLNode* lastBefore = root.LastChild;
    // A NUL character ends the text.
    Scan(*this, root, std::wstring_view(text).substr(0, text.find(L'\0'))).Run();
    return lastBefore ? lastBefore->NextInDocument() : root.FirstChild;
}
