// The tree dump of the definition-file inspector: how the markup parser reads a file, node by
// node, and the markup it rebuilds from the tree.
#pragma once

#include "markup/ZelMLUtl.h"

#include <functional>
#include <string>
#include <string_view>

// Takes the dump one record at a time: the record's level and its text. Taking records rather
// than finished lines spares a deep tree its indentation until somebody prints it.
using DumpRecordWriter = std::function<void(int level, std::string_view record)>;

// The records of every node below root, depth first in child-list order; root's children are
// level 0.
void DumpNodes(TZelMLNode& root, const DumpRecordWriter& write);

// The whole dump of a parser after a successful load: its encoding, its nodes as stored, then
// the markup rebuilt from the tree (last, because rebuilding changes the tags' texts).
void DumpTree(TZelMLDocumentParser& parser, const DumpRecordWriter& write);

// From this level on a line names its level as "@" and the number instead of indenting two
// spaces a level, so that the dump of a deeply nested file grows with the file, not with the
// square of its depth.
constexpr int kFirstNumberedLevel = 32;

// One record as a printed line: its indentation, its text and LF.
std::string DumpLine(int level, std::string_view record);

// The node records of root as printed lines.
std::string NodeDumpText(TZelMLNode& root);
