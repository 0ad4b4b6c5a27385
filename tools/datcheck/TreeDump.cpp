#include "TreeDump.h"

#include "DumpQuote.h"

#include <array>

namespace {

std::string KindName(TZelMLNodeKind kind) {
    static const std::array<const char*, 12> names = {"mlnNone",        "mlnProcessingInstruction",
                                                      "mlnDeclaration", "mlnCData",
                                                      "mlnComment",     "mlnStartTag",
                                                      "mlnEndTag",      "mlnEmptyTag",
                                                      "mlnStyleText",   "mlnScriptText",
                                                      "mlnText",        "mlnDocument"};
    return kind < names.size() ? names[kind] : "kind" + std::to_string(kind);
}

std::string AttributeRecord(TZelMLAttribute& attribute) {
    std::string record = QuoteText(attribute.GetName());
    if (attribute.HasValue)
        record.append("=").append(QuoteText(attribute.GetValue()));
    return record;
}

std::string NodeRecord(TZelMLNode& node) {
    std::string record = KindName(node.Kind);
    record.append(" ").append(QuoteText(node.Text));
    if (!node.IsTag())
        return record;
    record.append(" name=").append(QuoteText(node.GetName())).append(" attrs=[");
    TZelMLAttributes& attributes = node.GetAttributes();
    for (int i = 0; i < attributes.Count(); ++i)
        record.append(i > 0 ? " " : "").append(AttributeRecord(*attributes.Items[i]));
    return record.append("]");
}

} // namespace

void DumpNodes(TZelMLNode& root, const DumpRecordWriter& write) {
    int level = 0;
    TZelMLNode* node = root.FirstChild;
    while (node) {
        write(level, NodeRecord(*node));
        if (node->FirstChild) {
            node = node->FirstChild;
            ++level;
            continue;
        }
        while (node != &root && !node->NextSibling) {
            node = node->Parent;
            --level;
        }
        node = node == &root ? nullptr : node->NextSibling;
    }
}

void DumpTree(TZelMLDocumentParser& parser, const DumpRecordWriter& write) {
    write(0, "encoding codepage=" + std::to_string(parser.CodePage) +
                 " name=" + QuoteText(parser.Encoding));
    DumpNodes(*parser.Root, write);
    write(0, "markup " + QuoteText(parser.GetText()));
}

std::string DumpLine(int level, std::string_view record) {
    std::string line = level < kFirstNumberedLevel
                           ? std::string(2 * static_cast<size_t>(level), ' ')
                           : "@" + std::to_string(level) + " ";
    line.append(record);
    line += '\n';
    return line;
}

std::string NodeDumpText(TZelMLNode& root) {
    std::string text;
    DumpNodes(root, [&](int level, std::string_view record) { text += DumpLine(level, record); });
    return text;
}
