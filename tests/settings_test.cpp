#include "app/MainApp.h"
#include "settings/SystemData.h"
#include "support/TestProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

// Every case keeps the settings file in the test program's own folder for it, named "表":
// its trail byte 0x5C must not be taken for a separator.
namespace {

std::string Text(const CString& s)
{
    return s.GetString() ? std::string(s.GetString()) : std::string();
}

// The non-empty lines of a file, without their line ends.
std::vector<std::string> Lines(const std::string& content)
{
    std::vector<std::string> lines;
    std::istringstream in(content);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line != "\r")
            lines.push_back(line.back() == '\r' ? line.substr(0, line.size() - 1) : line);
    return lines;
}

}  // namespace

class SettingsFile : public testing::Test {
protected:
    void SetUp() override { RemoveIni(); }
    void TearDown() override { RemoveIni(); }

    static std::string Folder() { return SettingsFolder(); }
    static std::string Ini() { return Folder() + "\\TavlornExplorer.ini"; }
    static bool IniExists() { return GetFileAttributesA(Ini().c_str()) != INVALID_FILE_ATTRIBUTES; }
    static void RemoveIni()
    {
        DeleteFileA(Ini().c_str());
        RemoveDirectoryA(Ini().c_str());
    }
    static void WriteIni(const std::string& content, const std::string& path = Ini())
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(written, content.size());
    }
    // Every value set, none equal to another, some in Japanese.
    static void Fill(CSystemData& data)
    {
        data.SetHome("C:\\表\\ソフト");
        data.SetDispSystemFile(5);  // any nonzero flag is saved as TRUE
        data.SetDispHiddenFile(1);
        for (int i = 0; i < CSystemData::LauncherCount; ++i) {
            data.SetLaunchName(i, ("ツール" + std::to_string(i)).c_str());
            data.SetLaunchPath(i, ("C:\\能力\\tool" + std::to_string(i) + ".exe").c_str());
        }
    }
};

TEST_F(SettingsFile, MissingFileReadsAsDefaultsAndCreatesNothing)
{
    CSystemData data;
    Fill(data);
    EXPECT_EQ(data.Load(), 1);
    EXPECT_EQ(Text(data.GetHome()), "");
    EXPECT_EQ(data.GetDispSystemFile(), 0);
    EXPECT_EQ(data.GetDispHiddenFile(), 0);
    for (int i = 0; i < CSystemData::LauncherCount; ++i) {
        EXPECT_EQ(Text(data.GetLaunchName(i)), "") << "entry " << i;
        EXPECT_EQ(Text(data.GetLaunchPath(i)), "") << "entry " << i;
    }
    EXPECT_FALSE(IniExists());
}

TEST_F(SettingsFile, SaveOnAFreshObjectWritesEveryKeyInOrder)
{
    CSystemData data;
    ASSERT_EQ(data.Save(), 1);

    std::vector<std::string> expected = {"[COMMON_SETTING]", "HOME=", "DISP_SYSTEM_FILE=FALSE",
                                         "DISP_HIDDEN_FILE=FALSE", "[LACNCH_SETTING]"};
    for (int n = 1; n <= 10; ++n) {
        expected.push_back("NAME" + std::to_string(n) + "=");
        expected.push_back("PATH" + std::to_string(n) + "=");
    }
    EXPECT_EQ(Lines(ReadWholeFile(Ini())), expected);  // 23 keys; empty texts still get theirs
}

TEST_F(SettingsFile, ClearedValueKeepsItsKey)
{
    CSystemData data;
    data.SetLaunchName(0, "エディタ");
    ASSERT_EQ(data.Save(), 1);
    data.SetLaunchName(0, "");
    ASSERT_EQ(data.Save(), 1);

    const std::vector<std::string> lines = Lines(ReadWholeFile(Ini()));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "NAME1="), 1);
    EXPECT_EQ(lines.size(), 25u);
}

TEST_F(SettingsFile, SavedValuesComeBackInAFreshObject)
{
    CSystemData saved;
    Fill(saved);
    ASSERT_EQ(saved.Save(), 1);

    CSystemData loaded;
    EXPECT_EQ(loaded.Load(), 1);
    EXPECT_EQ(Text(loaded.GetHome()), "C:\\表\\ソフト");
    EXPECT_EQ(loaded.GetDispSystemFile(), 1);
    EXPECT_EQ(loaded.GetDispHiddenFile(), 1);
    for (int i = 0; i < CSystemData::LauncherCount; ++i) {
        EXPECT_EQ(Text(loaded.GetLaunchName(i)), Text(saved.GetLaunchName(i))) << "entry " << i;
        EXPECT_EQ(Text(loaded.GetLaunchPath(i)), Text(saved.GetLaunchPath(i))) << "entry " << i;
    }
}

TEST_F(SettingsFile, JapaneseTextIsStoredAsShiftJisBytes)
{
    CSystemData saved;
    saved.SetHome("D:\\表");  // ends in the byte 0x5C
    saved.SetLaunchPath(9, "C:\\ソフト\\表示.exe");
    ASSERT_EQ(saved.Save(), 1);

    const std::vector<std::string> lines = Lines(ReadWholeFile(Ini()));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HOME=D:\\\x95\x5C"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "PATH10=C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C\x8E\xA6.exe"),
              lines.end());

    CSystemData loaded;
    EXPECT_EQ(loaded.Load(), 1);
    EXPECT_EQ(Text(loaded.GetHome()), "D:\\表");
    EXPECT_EQ(Text(loaded.GetLaunchPath(9)), "C:\\ソフト\\表示.exe");
}

TEST_F(SettingsFile, OnlyUpperCaseTrueReadsAsTrue)
{
    const struct {
        const char* text;
        BOOL expected;
    } cases[] = {{"TRUE", 1}, {"true", 0}, {"True", 0}, {"1", 0},
                 {"yes", 0},  {"", 0},     {"FALSE", 0}};
    for (const auto& c : cases) {
        WriteIni(std::string("[COMMON_SETTING]\r\nDISP_HIDDEN_FILE=") + c.text +
                 "\r\nDISP_SYSTEM_FILE=" + c.text + "\r\n");
        CSystemData data;
        data.Load();
        EXPECT_EQ(data.GetDispHiddenFile(), c.expected) << "value \"" << c.text << "\"";
        EXPECT_EQ(data.GetDispSystemFile(), c.expected) << "value \"" << c.text << "\"";
    }
}

TEST_F(SettingsFile, KeysAreNumberedFromOne)
{
    WriteIni("[LACNCH_SETTING]\r\nNAME0=zero\r\nPATH0=zeropath\r\nNAME1=one\r\n"
             "NAME10=ten\r\nPATH10=tenpath\r\nNAME11=eleven\r\n");
    CSystemData data;
    data.Load();
    EXPECT_EQ(Text(data.GetLaunchName(0)), "one");
    EXPECT_EQ(Text(data.GetLaunchPath(0)), "");
    EXPECT_EQ(Text(data.GetLaunchName(9)), "ten");
    EXPECT_EQ(Text(data.GetLaunchPath(9)), "tenpath");
    for (int i = 1; i < 9; ++i)
        EXPECT_EQ(Text(data.GetLaunchName(i)), "") << "entry " << i;
}

TEST_F(SettingsFile, LockedFileFailsTheSaveAndStaysAsItWas)
{
    CSystemData data;
    data.SetHome("C:\\old");
    ASSERT_EQ(data.Save(), 1);
    const std::string before = ReadWholeFile(Ini());

    HANDLE lock = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Fill(data);
    const BOOL saved = data.Save();
    const DWORD reason = data.TrySave();  // what the user is told, past the clean-up
    CloseHandle(lock);

    EXPECT_EQ(saved, 0);
    EXPECT_EQ(reason, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadWholeFile(Ini()), before);
    CSystemData loaded;
    loaded.Load();
    EXPECT_EQ(Text(loaded.GetHome()), "C:\\old");
}

// The file is replaced whole or not at all, from a copy that keeps what the explorer
// does not write; a copy a power cut left behind is overwritten, never read.
TEST_F(SettingsFile, ASaveReplacesTheFileWholeOrLeavesItByteForByte)
{
    WriteIni("; kept\r\n[COMMON_SETTING]\r\nHOME=C:\\old\r\nOWN=1\r\n[OTHER]\r\nx=1\r\n");
    const std::string before = ReadWholeFile(Ini()), copy = Ini() + ".new";
    CopyFileA(Ini().c_str(), copy.c_str(), FALSE);
    WritePrivateProfileStringA("OTHER", "x", "stale", copy.c_str());
    CSystemData data;
    Fill(data);
    // Open without FILE_SHARE_DELETE, the file can be read and copied but not replaced.
    HANDLE open = CreateFileA(Ini().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    const BOOL refused = data.Save();
    CloseHandle(open);
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(ReadWholeFile(Ini()), before);
    EXPECT_EQ(GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES);

    CopyFileA(Ini().c_str(), copy.c_str(), FALSE);
    WritePrivateProfileStringA("OTHER", "x", "stale", copy.c_str());
    ASSERT_EQ(data.Save(), 1);
    CSystemData loaded;
    loaded.Load();
    EXPECT_EQ(Text(loaded.GetHome()), "C:\\表\\ソフト");
    EXPECT_EQ(GetPrivateProfileIntA("OTHER", "x", 0, Ini().c_str()), 1);
    EXPECT_EQ(GetPrivateProfileIntA("COMMON_SETTING", "OWN", 0, Ini().c_str()), 1);
    EXPECT_NE(ReadWholeFile(Ini()).find("; kept"), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Run by tests/e2e/full_disk.sh from a small volume of its own, which it fills: with no
// room for the copy, then with room for the copy but not for the longer file.
TEST_F(SettingsFile, AFullDiskNeverCutsTheFile)
{
    ULARGE_INTEGER total = {};
    GetDiskFreeSpaceExA((Folder() + "\\").c_str(), nullptr, &total, nullptr);
    if (total.QuadPart > (64u << 20))
        GTEST_SKIP() << "needs a volume it may fill (tests/e2e/full_disk.sh)";
    const std::string pad(3900, 'p'), spare = Folder() + "\\spare", filler = Folder() + "\\filler";
    WriteIni("[COMMON_SETTING]\r\nHOME=C:\\old\r\n[OTHER]\r\npad=" + pad + "\r\n");  // one page
    const std::string before = ReadWholeFile(Ini());
    CSystemData data;
    ASSERT_EQ(data.Load(), 1);
    data.SetHome(("C:\\" + std::string(400, 'h')).c_str());
    const std::string page(4096, 's');
    WriteIni(page, spare);
    DWORD written = 0;
    HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    while (WriteFile(file, page.data(), 4096, &written, nullptr) && written == 4096) {
    }
    CloseHandle(file);

    EXPECT_EQ(data.Save(), 0) << "no room for the copy";
    EXPECT_EQ(ReadWholeFile(Ini()), before);
    DeleteFileA(spare.c_str());
    EXPECT_EQ(data.Save(), 0) << "room for the copy, not for the longer file";
    EXPECT_EQ(ReadWholeFile(Ini()), before);
    EXPECT_EQ(GetFileAttributesA((Ini() + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(filler.c_str());
    ASSERT_EQ(data.Save(), 1);
    CSystemData loaded;
    loaded.Load();
    EXPECT_EQ(Text(loaded.GetHome()), Text(data.GetHome()));
    char value[4096] = "";
    GetPrivateProfileStringA("OTHER", "pad", "", value, sizeof value, Ini().c_str());
    EXPECT_EQ(value, pad);
}

TEST_F(SettingsFile, FolderInThePlaceOfTheFileFailsTheSave)
{
    ASSERT_TRUE(CreateDirectoryA(Ini().c_str(), nullptr));
    CSystemData data;
    Fill(data);
    EXPECT_EQ(data.Save(), 0);
    EXPECT_NE(GetFileAttributesA(Ini().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(SettingsFile, PathsAreBesideTheExecutableButTheSettingsGoWhereTheyAreSent)
{
    const CSystemData data;
    const std::string folder = Folder(), program = ExecutableFolder();
    ASSERT_EQ(folder.substr(folder.size() - 2), "\x95\x5C");  // the folder really ends in 表
    EXPECT_EQ(Text(data.GetFilePath(CSystemData::SettingsFile)), folder + "\\TavlornExplorer.ini");
    EXPECT_EQ(Text(data.GetFilePath(CSystemData::HelpFile)), program + "\\使い方.txt");
    EXPECT_EQ(Text(data.GetFilePath(2)), program);
    EXPECT_EQ(Text(data.GetFilePath(-1)), program);
    SetSettingsFolder("");
    EXPECT_EQ(Text(data.GetFilePath(CSystemData::SettingsFile)), program + "\\TavlornExplorer.ini");
    SetSettingsFolder(folder.c_str());
}

// The settings file, whatever it holds.
class SettingsInput : public SettingsFile {
protected:
    // Every value set, distinct, some in Japanese and ending in the byte 0x5C.
    static void Fill(CSystemData& data)
    {
        data.SetHome("C:\\表\\ソ");
        data.SetDispSystemFile(1);
        data.SetDispHiddenFile(0);
        for (int i = 0; i < CSystemData::LauncherCount; ++i) {
            data.SetLaunchName(i, ("十" + std::to_string(i)).c_str());
            data.SetLaunchPath(i, ("C:\\能力\\p" + std::to_string(i) + ".exe").c_str());
        }
    }

    static void ExpectSame(const CSystemData& a, const CSystemData& b, const std::string& what)
    {
        EXPECT_EQ(Text(a.GetHome()), Text(b.GetHome())) << what;
        EXPECT_EQ(a.GetDispSystemFile(), b.GetDispSystemFile()) << what;
        EXPECT_EQ(a.GetDispHiddenFile(), b.GetDispHiddenFile()) << what;
        for (int i = 0; i < CSystemData::LauncherCount; ++i) {
            EXPECT_EQ(Text(a.GetLaunchName(i)), Text(b.GetLaunchName(i))) << what << " name " << i;
            EXPECT_EQ(Text(a.GetLaunchPath(i)), Text(b.GetLaunchPath(i))) << what << " path " << i;
        }
    }

    // Whatever the file held, what is saved over it comes back whole.
    static void ExpectSavesOver(const std::string& what)
    {
        CSystemData saved;
        Fill(saved);
        EXPECT_EQ(saved.Save(), 1) << what;
        CSystemData loaded;
        EXPECT_EQ(loaded.Load(), 1) << what;
        ExpectSame(loaded, saved, what);
    }
};

TEST_F(SettingsInput, OddFilesReadWithoutHarmAndTakeASaveWhole)
{
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 65536; ++i) {
        seed = seed * 1103515245 + 12345;
        garbage += static_cast<char>(seed >> 16);
    }
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty", ""},
        {"binary garbage", garbage},
        {"garbage with a UTF-16 mark", "\xFF\xFE" + garbage},
        {"no sections", "HOME=C:\\x\r\nDISP_HIDDEN_FILE=TRUE\r\nNAME1=a\r\n"},
        {"only a bracket", "[\r\n]\r\n[[[\r\n=\r\n==\r\n"},
        {"no line ends", std::string(5000, '[')},
    };
    for (const auto& file : files) {
        WriteIni(file.second);
        CSystemData data;
        EXPECT_EQ(data.Load(), 1) << file.first;
        ExpectSavesOver(file.first);
        RemoveIni();
    }
    CSystemData missing;
    Fill(missing);
    EXPECT_EQ(missing.Load(), 1);
    EXPECT_EQ(Text(missing.GetHome()), "");
    EXPECT_EQ(GetFileAttributesA(Ini().c_str()), INVALID_FILE_ATTRIBUTES) << "nothing created";
}

TEST_F(SettingsInput, KeysAfterGarbageAreStillFound)
{
    WriteIni(std::string("\x01\x02\xFE\x80junk\r\n\x81\x5C\r\n") +
             "[COMMON_SETTING]\r\nHOME=C:\\表\r\nDISP_HIDDEN_FILE=TRUE\r\n");
    CSystemData data;
    data.Load();
    EXPECT_EQ(Text(data.GetHome()), "C:\\表");
    EXPECT_EQ(data.GetDispHiddenFile(), 1);
}

TEST_F(SettingsInput, DuplicateSectionsAndKeysReadTheFirstAndASaveIsSeen)
{
    WriteIni("[COMMON_SETTING]\r\nHOME=C:\\first\r\nHOME=C:\\second\r\n"
             "[LACNCH_SETTING]\r\nNAME1=one\r\n"
             "[COMMON_SETTING]\r\nHOME=C:\\third\r\nDISP_HIDDEN_FILE=TRUE\r\n"
             "[LACNCH_SETTING]\r\nNAME1=uno\r\nNAME2=two\r\n");
    CSystemData data;
    data.Load();
    EXPECT_EQ(Text(data.GetHome()), "C:\\first");
    EXPECT_EQ(Text(data.GetLaunchName(0)), "one");
    ExpectSavesOver("duplicates");
}

TEST_F(SettingsInput, AUtf16FileKeepsItsValues)
{
    const std::wstring text = L"\uFEFF[COMMON_SETTING]\r\nHOME=C:\\\u8868\r\nDISP_SYSTEM_FILE=TRUE\r\n"
                              L"[LACNCH_SETTING]\r\nNAME3=\u30bd\u30d5\u30c8\r\n";
    WriteIni(std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
    CSystemData data;
    EXPECT_EQ(data.Load(), 1);
    EXPECT_EQ(Text(data.GetHome()), "C:\\表");
    EXPECT_EQ(data.GetDispSystemFile(), 1);
    EXPECT_EQ(Text(data.GetLaunchName(2)), "ソフト");
    // Saved back unchanged, the file still reads the same.
    EXPECT_EQ(data.Save(), 1);
    CSystemData again;
    again.Load();
    ExpectSame(again, data, "UTF-16 after a save");
    ExpectSavesOver("UTF-16");
}

// Cut to the first 259 characters, a long value would be lost at the next save.
TEST_F(SettingsInput, LongValuesSurviveALoadAndASave)
{
    for (int length : {259, 260, 300, 10000}) {
        std::string value;
        for (int i = 0; i < length; ++i)
            value += static_cast<char>('a' + i % 26);
        WriteIni("[COMMON_SETTING]\r\nHOME=" + value + "\r\n[LACNCH_SETTING]\r\nNAME1=" + value +
                 "\r\nPATH3=" + value + "\r\nPATH10=" + value + "\r\n");
        CSystemData data;
        data.Load();
        EXPECT_EQ(Text(data.GetHome()), value) << length;
        EXPECT_EQ(Text(data.GetLaunchPath(2)), value) << length;
        EXPECT_EQ(Text(data.GetLaunchPath(9)), value) << length;
        data.SetDispHiddenFile(TRUE);  // the user changes something else and saves
        ASSERT_EQ(data.Save(), 1);
        CSystemData loaded;
        loaded.Load();
        EXPECT_EQ(Text(loaded.GetLaunchName(0)), value) << length;
        EXPECT_EQ(Text(loaded.GetLaunchPath(9)), value) << length;
    }
}

TEST_F(SettingsInput, QuotesAndBlanksAroundValuesComeBackAsTheyWere)
{
    WriteIni("[COMMON_SETTING]\r\n HOME = \"C:\\a b \" \r\nDISP_HIDDEN_FILE = TRUE \r\n"
             "[LACNCH_SETTING]\r\nNAME1=  padded  \r\nNAME2='single'\r\nNAME3=\"unbalanced\r\n");
    CSystemData read;
    read.Load();
    EXPECT_EQ(Text(read.GetHome()), "C:\\a b ");
    EXPECT_EQ(read.GetDispHiddenFile(), 1);
    EXPECT_EQ(Text(read.GetLaunchName(0)), "padded");
    EXPECT_EQ(Text(read.GetLaunchName(1)), "single");
    EXPECT_EQ(Text(read.GetLaunchName(2)), "\"unbalanced");
    ASSERT_EQ(read.Save(), 1);
    CSystemData reread;
    reread.Load();
    ExpectSame(reread, read, "read, saved, read again");

    // Values the user typed with blanks and quotes of their own.
    CSystemData typed;
    const char* const names[] = {"  two blanks ", "\"quoted\"", "'single'", "\"unbalanced",
                                 "a \"b\" c",      "\t",         "'",        "\"",
                                 "\"\"",           "  "};
    for (int i = 0; i < CSystemData::LauncherCount; ++i)
        typed.SetLaunchName(i, names[i]);
    typed.SetHome(" C:\\表 ");
    ASSERT_EQ(typed.Save(), 1);
    CSystemData loaded;
    loaded.Load();
    ExpectSame(loaded, typed, "typed values");
    // Blanks and quotes at one end only; a path with one quote is no quoted path.
    const char* const oneSided[] = {"名前\t", "\t名前", "名前 ", " 名前", "x'", "'x",
                                    "C:\\x.exe\"", "\"C:\\x.exe", "\"C:\\表", "表\""};
    for (int i = 0; i < CSystemData::LauncherCount; ++i) {
        typed.SetLaunchName(i, oneSided[i]);
        typed.SetLaunchPath(i, oneSided[CSystemData::LauncherCount - 1 - i]);
    }
    ASSERT_EQ(typed.Save(), 1);
    loaded.Load();
    ExpectSame(loaded, typed, "one-sided values");

    // Paths pasted in quotes come back as paths, blanks inside the quotes kept.
    typed.SetHome("\"C:\\Program Files\\表\"");
    typed.SetLaunchPath(0, "\" C:\\x.exe \"");
    ASSERT_EQ(typed.Save(), 1);
    loaded.Load();
    EXPECT_EQ(Text(loaded.GetHome()), "C:\\Program Files\\表");
    EXPECT_EQ(Text(loaded.GetLaunchPath(0)), " C:\\x.exe ");
}

TEST_F(SettingsInput, ALineBreakInAValueFailsTheSaveAndInjectsNothing)
{
    CSystemData data;
    Fill(data);
    ASSERT_EQ(data.Save(), 1);
    data.SetLaunchName(4, "evil\r\n[COMMON_SETTING]\r\nHOME=C:\\elsewhere");
    data.SetLaunchPath(5, "a\nb");
    EXPECT_EQ(data.Save(), 0);
    CSystemData loaded;
    loaded.Load();
    EXPECT_EQ(Text(loaded.GetHome()), "C:\\表\\ソ");
    EXPECT_EQ(Text(loaded.GetLaunchName(4)), "十4");

    Fill(data);  // HOME, the first key written, fails the save as well
    data.SetHome("C:\\a\r\nb");
    EXPECT_EQ(data.Save(), 0);
    Fill(data);  // and any one name or path alone
    data.SetLaunchName(9, "a\nb");
    EXPECT_EQ(data.Save(), 0);
    Fill(data);
    data.SetLaunchPath(0, "a\nb");
    EXPECT_EQ(data.Save(), 0);
}

TEST_F(SettingsInput, ATenMegabyteFileStillLoads)
{
    std::string big = "[JUNK]\r\n";
    for (int i = 0; big.size() < 10 * 1024 * 1024; ++i)
        big += "KEY" + std::to_string(i) + "=" + std::string(100, 'x') + "\r\n";
    big += "[COMMON_SETTING]\r\nHOME=C:\\big\r\nDISP_SYSTEM_FILE=TRUE\r\n"
           "[LACNCH_SETTING]\r\nNAME10=last\r\n";
    WriteIni(big);
    CMainApp app;
    std::string commandLine;
    app.m_pszCmdLine = &commandLine[0];
    ASSERT_EQ(app.Initialize(), 1);
    CSystemData* data = GetSystemData();
    EXPECT_EQ(Text(data->GetHome()), "C:\\big");
    EXPECT_EQ(data->GetDispSystemFile(), 1);
    EXPECT_EQ(Text(data->GetLaunchName(9)), "last");
    app.Terminate();
}

// While another program holds the file without sharing, reading answers defaults only.
TEST_F(SettingsInput, AFileThatCannotBeReadLeavesTheSettingsAsTheyWere)
{
    CSystemData saved;
    Fill(saved);
    ASSERT_EQ(saved.Save(), 1);
    CSystemData data;
    ASSERT_EQ(data.Load(), 1);

    HANDLE lock = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.Load(), 0);
    ExpectSame(data, saved, "loaded while locked");

    CSystemData fresh;  // started while the file was held: defaults, which must not be saved
    EXPECT_EQ(fresh.Load(), 0);
    CloseHandle(lock);
    fresh.SetDispHiddenFile(TRUE);
    EXPECT_EQ(fresh.Save(), 0);
    CSystemData check;
    check.Load();
    ExpectSame(check, saved, "after the refused save");
    EXPECT_EQ(fresh.Load(), 1);
    ExpectSame(fresh, saved, "loaded again");
    EXPECT_EQ(fresh.Save(), 1);

    // A folder in the file's place reads no better.
    RemoveIni();
    ASSERT_TRUE(CreateDirectoryA(Ini().c_str(), nullptr));
    EXPECT_EQ(data.Load(), 0);
    ExpectSame(data, saved, "a folder in the file's place");
}

using SettingsObject = SettingsFile;

TEST_F(SettingsObject, LoadKeepsTheStartFolder)
{
    CSystemData data;
    data.SetStartFolder("C:\\start");
    data.Load();
    EXPECT_EQ(Text(data.GetStartFolder()), "C:\\start");
}

TEST_F(SettingsObject, CopyFromTakesEverythingButTheStartFolder)
{
    CSystemData source;
    Fill(source);
    source.SetStartFolder("C:\\source-start");

    CSystemData copy;
    copy.SetStartFolder("C:\\own-start");
    EXPECT_EQ(copy.CopyFrom(&source), 1);
    EXPECT_EQ(Text(copy.GetHome()), "C:\\表\\ソフト");
    EXPECT_EQ(copy.GetDispSystemFile(), 5);  // stored as given, not turned into 1
    EXPECT_EQ(copy.GetDispHiddenFile(), 1);
    for (int i = 0; i < CSystemData::LauncherCount; ++i) {
        EXPECT_EQ(Text(copy.GetLaunchName(i)), "ツール" + std::to_string(i));
        EXPECT_EQ(Text(copy.GetLaunchPath(i)), "C:\\能力\\tool" + std::to_string(i) + ".exe");
    }
    EXPECT_EQ(Text(copy.GetStartFolder()), "C:\\own-start");

    copy.SetLaunchName(0, "changed");  // a copy, not shared text
    EXPECT_EQ(Text(source.GetLaunchName(0)), "ツール0");
}

TEST_F(SettingsObject, CopyFromNothingChangesNothing)
{
    CSystemData data;
    data.SetHome("kept");
    data.SetDispHiddenFile(1);
    data.SetLaunchPath(4, "kept.exe");
    EXPECT_EQ(data.CopyFrom(nullptr), 0);
    EXPECT_EQ(Text(data.GetHome()), "kept");
    EXPECT_EQ(data.GetDispHiddenFile(), 1);
    EXPECT_EQ(Text(data.GetLaunchPath(4)), "kept.exe");
}

TEST_F(SettingsObject, SpecialFolderLookup)
{
    const CSystemData data;
    const CString documents = data.GetSpecialFolderPath(CSIDL_PERSONAL);
    EXPECT_FALSE(documents.IsEmpty());
    EXPECT_TRUE(PathIsDirectoryA(documents.GetString()) != FALSE) << Text(documents);
    EXPECT_EQ(Text(data.GetSpecialFolderPath(0x7F)), "");  // no such folder
}

class SettingsSingleton : public SettingsFile {};

TEST_F(SettingsSingleton, SecondCreateKeepsTheFirstObject)
{
    ASSERT_EQ(GetSystemData(), nullptr);
    ASSERT_EQ(CreateSystemData(), 1);
    CSystemData* first = GetSystemData();
    ASSERT_NE(first, nullptr);
    first->SetHome("first");

    EXPECT_EQ(CreateSystemData(), 0);
    EXPECT_EQ(GetSystemData(), first);
    EXPECT_EQ(Text(GetSystemData()->GetHome()), "first");
    EXPECT_EQ(DestroySystemData(), 1);
}

TEST_F(SettingsSingleton, DestroyWritesNothingAndASecondDestroyIsRefused)
{
    ASSERT_EQ(CreateSystemData(), 1);
    GetSystemData()->SetHome("C:\\unsaved");
    EXPECT_EQ(DestroySystemData(), 1);
    EXPECT_EQ(GetSystemData(), nullptr);
    EXPECT_EQ(DestroySystemData(), 0);
    EXPECT_FALSE(IniExists());  // settings reach the file only through Save
}
