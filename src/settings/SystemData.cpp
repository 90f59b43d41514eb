#include "settings/SystemData.h"

#include "framework/core/PathText.h"

#include <shlobj.h>

#include <cstring>

IMPLEMENT_RUNTIME_CLASS(CSystemData, CObject)

namespace {

const char* const CommonSection = "COMMON_SETTING";
const char* const LauncherSection = "LACNCH_SETTING";  // spelled so in every existing file
const int ValueBufferSize = 260;
const int LargestValueBuffer = 1 << 24;

// Why the file is there but cannot be read now (held open without sharing by another
// program, or a folder in its place), or 0. The profile functions would then answer
// every key with its default, which must not pass for the stored settings.
DWORD Unreadable(const CString& path)
{
    HANDLE file = CreateFileA(path.GetString(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return 0;
    }
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND ? error : 0;
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

// Only the exact upper-case text reads as set: "true", "1" or an empty value do not.
BOOL IsTrue(const CString& value)
{
    return value == "TRUE" ? 1 : 0;
}

const char* FlagText(BOOL set)
{
    return set ? "TRUE" : "FALSE";
}

using tagDATA = CSystemData::tagDATA;
using tagLAUNCH_DATA = CSystemData::tagLAUNCH_DATA;

// A path pasted in quotes is stored so that it reads back without them, as a path;
// names and other texts are stored exactly as they were set.
enum class Kind { Text, Path, Flag };

// One key of the file; a launcher key stands for ten, one per entry.
struct Key {
    const char* section;
    const char* key;
    Kind kind;
    const char* fallback;            // the value of a key the file lacks
    CString tagDATA::*text;          // the field of a common text key,
    BOOL tagDATA::*flag;             // of a common flag key,
    CString tagLAUNCH_DATA::*entry;  // or of every launcher entry's key
};

// In the order a file created from nothing holds them (after the common keys, each
// launcher entry's keys together).
const Key Keys[] = {
    {CommonSection, "HOME", Kind::Path, "", &tagDATA::strHome, nullptr, nullptr},
    {CommonSection, "DISP_SYSTEM_FILE", Kind::Flag, "FALSE", nullptr, &tagDATA::bDispSystemFile,
     nullptr},
    {CommonSection, "DISP_HIDDEN_FILE", Kind::Flag, "FALSE", nullptr, &tagDATA::bDispHiddenFile,
     nullptr},
    {LauncherSection, "NAME", Kind::Text, "", nullptr, nullptr, &tagLAUNCH_DATA::strName},
    {LauncherSection, "PATH", Kind::Path, "", nullptr, nullptr, &tagLAUNCH_DATA::strPath},
};

// A text as it was set, or as the file is to hold it.
enum class Form { AsSet, AsStored };

// One key of the file as it applies to one record: index is the launcher entry, or -1.
struct Slot {
    const Key& key;
    int index;

    CString Name() const
    {
        if (index < 0)
            return CString(key.key);
        CString name;
        name.Format("%s%d", key.key, index + 1);  // the file numbers entries from 1
        return name;
    }
    CString& Text(tagDATA& data) const
    {
        return index < 0 ? data.*key.text : data.launch[index].*key.entry;
    }
    const CString& Text(const tagDATA& data) const
    {
        return index < 0 ? data.*key.text : data.launch[index].*key.entry;
    }
    // The value as it is set, a flag as the file spells it.
    CString Held(const tagDATA& data) const
    {
        return key.kind == Kind::Flag ? CString(FlagText(data.*key.flag)) : Text(data);
    }
    // The value as the file is to hold it.
    CString Stored(const tagDATA& data) const
    {
        return key.kind == Kind::Path ? Unquoted(Text(data)) : Held(data);
    }
    // Whether edited holds another setting than opened: a flag by being set or not, a
    // text as it would be stored.
    bool Changed(const tagDATA& opened, const tagDATA& edited) const
    {
        if (key.kind == Kind::Flag)
            return !(edited.*key.flag) != !(opened.*key.flag);
        return Stored(edited) != Text(opened);
    }
    // The value of source into target, in form (as it is set, or as it would be
    // stored); a flag stays the number it was set to.
    void Copy(tagDATA& target, const tagDATA& source, Form form = Form::AsSet) const
    {
        if (key.kind == Kind::Flag)
            target.*key.flag = source.*key.flag;
        else
            Text(target) = form == Form::AsStored ? Stored(source) : Text(source);
    }
    // value as the file gave it, into data.
    void Take(tagDATA& data, const CString& value) const
    {
        if (key.kind == Kind::Flag)
            data.*key.flag = IsTrue(value);
        else
            Text(data) = value;
    }
};

// visit for every key of the file, in the file's order.
template <class Visit>
void ForEachKey(Visit visit)
{
    for (const Key& key : Keys)
        if (key.entry == nullptr)
            visit(Slot{key, -1});
    for (int i = 0; i < CSystemData::LauncherCount; ++i)
        for (const Key& key : Keys)
            if (key.entry != nullptr)
                visit(Slot{key, i});
}

CSystemData* g_systemData = nullptr;

// Built on first use: the folder may be set before any other static is.
CString& SettingsFolder()
{
    static CString folder;
    return folder;
}

// A value that fills the buffer may have been cut: it is read again with more room, so
// that a long value survives the next save whole.
CString ReadValue(const CString& file, const CString& section, const CString& key,
                  const char* fallback = "")
{
    CString value;
    for (int size = ValueBufferSize;; size *= 2) {
        char* buffer = value.GetBuffer(size);
        if (buffer == nullptr)
            return CString("");
        const DWORD length = GetPrivateProfileStringA(section.GetString(), key.GetString(), fallback,
                                                      buffer, size, file.GetString());
        if (static_cast<int>(length) < size - 1 || size >= LargestValueBuffer)
            return CString(buffer);
    }
}

// Why the value could not be written, or 0.
DWORD WriteValue(const CString& file, const CString& section, const CString& key, const CString& value)
{
    // Never a null value: that would delete the key instead of writing "KEY=".
    CString text(value.GetString() ? value.GetString() : "");
    // A line break would end the value early and start a line of its own in the file.
    if (text.Find('\r') >= 0 || text.Find('\n') >= 0)
        return ERROR_INVALID_DATA;
    // Quoted, the value keeps the blanks and quotes that reading would strip.
    if (NeedsQuotes(text.GetString()))
        text = CString("\"") + text + "\"";
    return WritePrivateProfileStringA(section.GetString(), key.GetString(), text.GetString(),
                                      file.GetString())
               ? 0
               : GetLastError();
}

// Both Windows and Wine keep profile files in memory; a file replaced behind their back
// must be read again from the disk.
void ForgetCachedProfile(const CString& file)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.GetString());
}

// A list of texts, each ended by a NUL, the last by two, as the profile functions give
// it; grown until it fits (they answer size - 2 when it did not).
// The list stays in the caller's string: a copy would end at its first NUL.
void ProfileList(const CString& file, const char* section, CString& list)
{
    for (DWORD size = 4096; size <= LargestValueBuffer; size *= 2) {
        char* buffer = list.GetBuffer(static_cast<int>(size));
        if (buffer == nullptr)
            break;
        const DWORD length =
            section ? GetPrivateProfileSectionA(section, buffer, size, file.GetString())
                    : GetPrivateProfileSectionNamesA(buffer, size, file.GetString());
        if (length + 2 < size)
            return;
    }
    list.Empty();
}

bool IsOwnSection(const char* section)
{
    return lstrcmpiA(section, CommonSection) == 0 || lstrcmpiA(section, LauncherSection) == 0;
}

// Whether entry ("KEY=value") is one of the keys the explorer writes in section.
bool IsOwnKey(const char* section, const char* entry)
{
    const char* equals = std::strchr(entry, '=');
    const CString key(entry, equals ? static_cast<int>(equals - entry) : lstrlenA(entry));
    bool own = false;
    ForEachKey([&](const Slot& slot) {
        own = own || (lstrcmpiA(section, slot.key.section) == 0 &&
                      lstrcmpiA(key.GetString(), slot.Name().GetString()) == 0);
    });
    return own;
}

// Every section of file with its entries, but for the keys the explorer writes (and
// their sections, which a save may have to create).
CString ForeignEntries(const CString& file)
{
    CString text;
    CString sections;
    ProfileList(file, nullptr, sections);
    for (const char* section = sections.GetString(); *section; section += lstrlenA(section) + 1) {
        if (!IsOwnSection(section))
            text += CString("[") + section + "]\n";
        CString entries;
        ProfileList(file, section, entries);
        for (const char* entry = entries.GetString(); *entry; entry += lstrlenA(entry) + 1)
            if (!IsOwnKey(section, entry))
                text += CString(section) + "]" + entry + "\n";
    }
    return text;
}

}  // namespace

void SetSettingsFolder(const CString& folder)
{
    SettingsFolder() = folder;
}

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
    return TryLoad() == 0 ? 1 : 0;
}

DWORD CSystemData::TryLoad()
{
    m_unreadable = ReadFrom(GetFilePath(SettingsFile));
    return m_unreadable;
}

DWORD CSystemData::ReadFrom(const CString& file)
{
    if (const DWORD error = Unreadable(file))
        return error;
    tagDATA data;
    ForEachKey([&](const Slot& slot) {
        slot.Take(data, ReadValue(file, slot.key.section, slot.Name(), slot.key.fallback));
    });
    if (const DWORD error = Unreadable(file))  // taken away while it was being read
        return error;
    m_data = data;
    return 0;
}

BOOL CSystemData::Save()
{
    return TrySave() == 0 ? 1 : 0;
}

// Reports why a save failed, so that a failed save is never taken for a stored one. The
// file is replaced in one step by a finished copy: a full disk or a crash never leaves
// it cut.
DWORD CSystemData::TrySave()
{
    // The values in memory stand in for a file that could not be read: writing them
    // would replace the stored settings with defaults.
    if (m_unreadable)
        return m_unreadable;
    const CString path = GetFilePath(SettingsFile);
    // One fixed name: a copy left behind by a crash is only ever overwritten.
    const CString temporary = path + ".new";
    DeleteFileA(temporary.GetString());
    // Starting from a copy keeps comments and foreign keys as the profile functions do.
    DWORD error = CopyFileA(path.GetString(), temporary.GetString(), FALSE) ? 0 : GetLastError();
    if (error == ERROR_FILE_NOT_FOUND)
        error = 0;
    if (error == 0)
        error = WriteKeys(temporary);
    if (error == 0 && !IsWhole(path, temporary))
        error = ERROR_WRITE_FAULT;  // the copy does not hold what was written
    if (error == 0 && !MoveFileExA(temporary.GetString(), path.GetString(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != 0)
        DeleteFileA(temporary.GetString());
    ForgetCachedProfile(path);
    return error;
}

DWORD CSystemData::WriteKeys(const CString& file) const
{
    DWORD error = 0;
    ForEachKey([&](const Slot& slot) {
        if (error == 0)
            error = WriteValue(file, slot.key.section, slot.Name(), slot.Stored(m_data));
    });
    ForgetCachedProfile(file);
    if (error != 0)
        return error;
    // On the disk, not only in the system's cache, before it takes the file's place.
    HANDLE handle = CreateFileA(file.GetString(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError();
    error = FlushFileBuffers(handle) ? 0 : GetLastError();
    CloseHandle(handle);
    return error;
}

// The profile functions report success for a file the disk had no room for (Wine
// ignores a failed write and leaves it cut), so what the copy holds is read back: every
// key as saved, and everything else of the old file as it was.
BOOL CSystemData::IsWhole(const CString& original, const CString& copy) const
{
    CSystemData stored;
    if (stored.ReadFrom(copy) != 0)
        return 0;
    bool whole = true;
    ForEachKey([&](const Slot& slot) {
        whole = whole && slot.Held(stored.m_data) == slot.Stored(m_data);
    });
    return whole && ForeignEntries(original) == ForeignEntries(copy);
}
BOOL CSystemData::CopyFrom(const CSystemData* other)
{
    if (other == nullptr)
        return 0;
    ForEachKey([&](const Slot& slot) { slot.Copy(m_data, other->m_data); });
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
    if (kind == SettingsFile && !SettingsFolder().IsEmpty())
        folder = SettingsFolder();
    if (kind == SettingsFile)
        folder += "\\TavlornExplorer.ini";
    else if (kind == HelpFile)
        folder += "\\使い方.txt";
    return folder;
}

CString CSystemData::ReadString(CString section, CString key) const
{
    return ReadValue(GetFilePath(SettingsFile), section, key);
}

BOOL CSystemData::ReadBool(CString section, CString key) const
{
    return IsTrue(ReadValue(GetFilePath(SettingsFile), section, key, "FALSE"));
}

BOOL CSystemData::WriteString(CString section, CString key, CString value) const
{
    return WriteValue(GetFilePath(SettingsFile), section, key, value) == 0 ? 1 : 0;
}

BOOL CSystemData::WriteBool(CString section, CString key, BOOL value) const
{
    return WriteString(section, key, FlagText(value));
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

void CSystemData::TakeChanges(const CSystemData& opened, const CSystemData& edited)
{
    ForEachKey([&](const Slot& slot) {
        if (slot.Changed(opened.m_data, edited.m_data))
            slot.Copy(m_data, edited.m_data, Form::AsStored);
    });
}

CString CSystemData::GetSpecialFolderPath(int csidl) const
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return CString("");
    return CString(path);
}
