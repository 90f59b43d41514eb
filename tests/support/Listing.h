#pragma once
#include <string>
#include <utility>
#include <vector>

// One list row as the explorer shows it: name and kind.
using Rows = std::vector<std::pair<std::string, std::string>>;

extern const char* const FolderKind;
extern const char* const FileKind;

// Every entry of folder but ".", in the platform's order: what the explorer lists of a
// folder without hidden or system entries (which rows those leave out is told literally).
Rows WalkFolder(const std::string& folder);

std::vector<std::string> Names(const Rows& rows);
