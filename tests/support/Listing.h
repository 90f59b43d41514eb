#pragma once
#include <string>
#include <utility>
#include <vector>

// One list row as the explorer shows it: name and kind.
using Rows = std::vector<std::pair<std::string, std::string>>;

extern const char* const FolderKind;
extern const char* const FileKind;

// What a listing of folder must show, found independently of the explorer: every entry
// but ".", in the platform's order, with hidden and system entries as the flags allow.
Rows WalkFolder(const std::string& folder, bool showHidden, bool showSystem);

std::vector<std::string> Names(const Rows& rows);
