#include "support/TempDir.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir()
{
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::ostringstream name;
        name << base << "tavlorn-" << GetCurrentProcessId() << "-" << ++serial;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            m_path = name.str();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    RemoveTree(m_path);
}

std::string TempDir::MakeDir(const std::string& name) const
{
    const std::string path = *this / name;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::string TempDir::MakeFile(const std::string& name, const std::string& content) const
{
    const std::string path = *this / name;
    std::ofstream out(path.c_str(), std::ios::binary);
    out << content;
    return path;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != FALSE;
}
