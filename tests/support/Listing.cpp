#include "support/Listing.h"

#include <windows.h>

const char* const FolderKind = "フォルダ";
const char* const FileKind = "ファイル";

Rows WalkFolder(const std::string& folder)
{
    Rows rows;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return rows;
    do {
        if (std::string(found.cFileName) == ".")
            continue;
        rows.emplace_back(found.cFileName,
                          (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FolderKind : FileKind);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return rows;
}

std::vector<std::string> Names(const Rows& rows)
{
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(row.first);
    return names;
}
