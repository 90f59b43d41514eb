#include "settings/SystemData.h"

#include "framework/core/PathText.h"

#include <shlobj.h>
#include <shlwapi.h>

IMPLEMENT_RUNTIME_CLASS(CSystemData, CObject)

namespace {

const char* const CommonSection = "COMMON_SETTING";
const char* const LauncherSection = "LACNCH_SETTING";  // spelled so in every existing file
const int ValueBufferSize = 260;
const int LargestValueBuffer = 1 << 24;

// The file is there but cannot be read now: held open without sharing by another
// program, or a folder in its place. The profile functions then answer every key with
// its default, which must not pass for the stored settings.
bool IsUnreadable(const CString& path)
{
    HANDLE file = CreateFileA(path.GetString(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

// Whether the profile functions would strip something from value on the way back:
// blanks at either end, or a pair of quotes around it.
bool NeedsQuotes(const char* value)
{
    const int length = lstrlenA(value);
    if (length == 0)
        return false;
    const char first = value[0], last = value[length - 1];
    return first == ' ' || first == '\t' || last == ' ' || last == '\t' || first == '"' ||
           first == '\'' || last == '"' || last == '\'';
}

CSystemData* g_systemData = nullptr;

CString LauncherKey(const char* prefix, int index)
{
    CString key;
    key.Format("%s%d", prefix, index + 1);  // the file numbers entries from 1
    return key;
}

}  // namespace

int CreateSystemData()
{
    if (g_systemData != nullptr)
        return 0;
    g_systemData = new CSystemData;
    return 1;
}

CSystemData* GetSystemData()
{
    return g_systemData;
}

int DestroySystemData()
{
    if (g_systemData == nullptr)
        return 0;
    delete g_systemData;
    g_systemData = nullptr;
    return 1;
}

// A file that exists but cannot be read leaves every value as it was: taking the
// defaults for it would lose the settings at the next save.
BOOL CSystemData::Load()
{
    const CString path = GetFilePath(SettingsFile);
    if (IsUnreadable(path)) {
        m_unreadable = true;
        return 0;
    }
    tagDATA data;
    data.strHome = ReadString(CommonSection, "HOME");
    data.bDispSystemFile = ReadBool(CommonSection, "DISP_SYSTEM_FILE");
    data.bDispHiddenFile = ReadBool(CommonSection, "DISP_HIDDEN_FILE");
    for (int i = 0; i < LauncherCount; ++i) {
        data.launch[i].strName = ReadString(LauncherSection, LauncherKey("NAME", i));
        data.launch[i].strPath = ReadString(LauncherSection, LauncherKey("PATH", i));
    }
    if (IsUnreadable(path)) {  // taken away while it was being read
        m_unreadable = true;
        return 0;
    }
    m_data = data;
    m_unreadable = false;
    return 1;
}

// Reports whether every key reached the file, so that a failed save is never taken
// for a stored one. A path pasted in quotes is stored so that it reads back without
// them, as a path; names come back exactly as they were set.
BOOL CSystemData::Save()
{
    // The values in memory stand in for a file that could not be read: writing them
    // would replace the stored settings with defaults.
    if (m_unreadable)
        return 0;
    BOOL saved = WriteString(CommonSection, "HOME", Unquoted(m_data.strHome));
    saved &= WriteBool(CommonSection, "DISP_SYSTEM_FILE", m_data.bDispSystemFile);
    saved &= WriteBool(CommonSection, "DISP_HIDDEN_FILE", m_data.bDispHiddenFile);
    for (int i = 0; i < LauncherCount; ++i) {
        saved &= WriteString(LauncherSection, LauncherKey("NAME", i), m_data.launch[i].strName);
        saved &= WriteString(LauncherSection, LauncherKey("PATH", i), Unquoted(m_data.launch[i].strPath));
    }
    return saved ? 1 : 0;
}

BOOL CSystemData::CopyFrom(const CSystemData* other)
{
    if (other == nullptr)
        return 0;
    m_data.strHome = other->GetHome();
    m_data.bDispSystemFile = other->GetDispSystemFile();
    m_data.bDispHiddenFile = other->GetDispHiddenFile();
    for (int i = 0; i < LauncherCount; ++i) {
        m_data.launch[i].strName = other->GetLaunchName(i);
        m_data.launch[i].strPath = other->GetLaunchPath(i);
    }
    return 1;
}

CString CSystemData::GetFilePath(int kind) const
{
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    // Cut at the last real separator: the executable's own name may hold a double-byte
    // character whose trail byte is 0x5C, which a byte-wise search would take for one.
    CString folder(module);
    folder = folder.Left(FindLastSeparator(folder));
    if (kind == SettingsFile)
        folder += "\\TavlornExplorer.ini";
    else if (kind == HelpFile)
        folder += "\\使い方.txt";
    return folder;
}

// A value that fills the buffer may have been cut: it is read again with more room, so
// that a long value survives the next save whole.
CString CSystemData::ReadString(CString section, CString key) const
{
    const CString path = GetFilePath(SettingsFile);
    CString value;
    for (int size = ValueBufferSize;; size *= 2) {
        char* buffer = value.GetBuffer(size);
        if (buffer == nullptr)
            return CString("");
        const DWORD length = GetPrivateProfileStringA(section.GetString(), key.GetString(), "",
                                                      buffer, size, path.GetString());
        if (static_cast<int>(length) < size - 1 || size >= LargestValueBuffer)
            return CString(buffer);
    }
}

BOOL CSystemData::ReadBool(CString section, CString key) const
{
    char value[ValueBufferSize] = "";
    GetPrivateProfileStringA(section.GetString(), key.GetString(), "FALSE", value,
                             ValueBufferSize, GetFilePath(SettingsFile).GetString());
    return lstrcmpA(value, "TRUE") == 0 ? 1 : 0;
}

BOOL CSystemData::WriteString(CString section, CString key, CString value) const
{
    // Never a null value: that would delete the key instead of writing "KEY=".
    CString text(value.GetString() ? value.GetString() : "");
    // A line break would end the value early and start a line of its own in the file.
    if (text.Find('\r') >= 0 || text.Find('\n') >= 0)
        return FALSE;
    // Quoted, the value keeps the blanks and quotes that reading would strip.
    if (NeedsQuotes(text.GetString()))
        text = CString("\"") + text + "\"";
    return WritePrivateProfileStringA(section.GetString(), key.GetString(), text.GetString(),
                                      GetFilePath(SettingsFile).GetString());
}

BOOL CSystemData::WriteBool(CString section, CString key, BOOL value) const
{
    return WriteString(section, key, value ? "TRUE" : "FALSE");
}

CString CSystemData::GetHome() const { return m_data.strHome; }
void CSystemData::SetHome(CString home) { m_data.strHome = home; }
BOOL CSystemData::GetDispSystemFile() const { return m_data.bDispSystemFile; }
void CSystemData::SetDispSystemFile(BOOL show) { m_data.bDispSystemFile = show; }
BOOL CSystemData::GetDispHiddenFile() const { return m_data.bDispHiddenFile; }
void CSystemData::SetDispHiddenFile(BOOL show) { m_data.bDispHiddenFile = show; }
CString CSystemData::GetLaunchName(int index) const { return m_data.launch[index].strName; }
void CSystemData::SetLaunchName(int index, CString name) { m_data.launch[index].strName = name; }
CString CSystemData::GetLaunchPath(int index) const { return m_data.launch[index].strPath; }
void CSystemData::SetLaunchPath(int index, CString path) { m_data.launch[index].strPath = path; }
CString CSystemData::GetStartFolder() const { return m_strStartFolder; }
void CSystemData::SetStartFolder(CString folder) { m_strStartFolder = folder; }

CString CSystemData::GetSpecialFolderPath(int csidl) const
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return CString("");
    return CString(path);
}
