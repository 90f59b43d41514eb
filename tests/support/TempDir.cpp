#include "support/TempDir.h"

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() : TempDir(std::string())
{
}

TempDir::TempDir(const std::string& base)
{
    char temp[MAX_PATH] = "";
    if (base.empty())
        GetTempPathA(MAX_PATH, temp);
    const std::string parent = base.empty() ? std::string(temp) : base + "\\";
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::ostringstream name;
        name << parent << "tavlorn-" << GetCurrentProcessId() << "-" << ++serial;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            m_path = name.str();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

std::string DocumentsFolder()
{
    char folder[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, folder, CSIDL_PERSONAL, TRUE);
    return folder;
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

namespace {

// Wide names and the "\\?\" prefix: the ANSI functions would hand out best-fit
// look-alikes (and delete those) and stop at MAX_PATH.
bool RemoveTreeW(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeW(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

}  // namespace

bool RemoveTree(const std::string& path)
{
    wchar_t wide[MAX_PATH] = L"";
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0)
        return false;
    const std::wstring full = (wide[0] != L'\\' && wide[1] == L':') ? L"\\\\?\\" + std::wstring(wide)
                                                                : std::wstring(wide);
    return RemoveTreeW(full);
}

bool RunUnixShell(const std::string& script, const std::string& folder)
{
    using Spawn = LONG(CDECL*)(char* const* argv, int wait);
    using UnixName = char*(CDECL*)(const wchar_t* path);
    const Spawn spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    const UnixName unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    if (spawn == nullptr || unixName == nullptr ||
        MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH) == 0)
        return false;
    char* unixFolder = unixName(wide);
    if (unixFolder == nullptr)
        return false;
    std::string text = script;
    char* const argv[] = {const_cast<char*>("/bin/sh"), const_cast<char*>("-c"), &text[0],
                          const_cast<char*>("sh"), unixFolder, nullptr};
    const LONG status = spawn(argv, 1);
    HeapFree(GetProcessHeap(), 0, unixFolder);
    return status == 0;
}
