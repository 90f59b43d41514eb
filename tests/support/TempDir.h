#pragma once
#include <string>

// A fresh folder under the Windows temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    // A fresh folder under base instead, e.g. the documents folder.
    explicit TempDir(const std::string& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // Path of name inside the folder (name may hold sub-folders).
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }
    std::string MakeDir(const std::string& name) const;
    std::string MakeFile(const std::string& name, const std::string& content = "") const;

private:
    std::string m_path;
};

// The user's documents folder. The shell's folder browser walks its tree down from the
// desktop and under Wine only now and then reaches the temp folder under AppData, while
// it always finds a folder in Documents.
std::string DocumentsFolder();

std::string ReadWholeFile(const std::string& path);
// Runs script with /bin/sh on the Linux side of Wine, $1 being folder's Linux path: for
// names no Win32 call makes. False where Wine offers no way there or the script fails.
bool RunUnixShell(const std::string& script, const std::string& folder);
bool RemoveTree(const std::string& path);
