#include "common/PathPaste.h"
#include "framework/core/NameConversion.h"
#include "framework/core/Object.h"
#include "framework/core/PathLookup.h"
#include "framework/core/PathText.h"
#include "framework/core/String.h"
#include "framework/core/TextList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CBranchA : public CObject {
public:
    ~CBranchA() override {}
    DECLARE_RUNTIME_CLASS(CBranchA)
};
IMPLEMENT_RUNTIME_CLASS(CBranchA, CObject)

class CLeafA : public CBranchA {
public:
    ~CLeafA() override {}
    DECLARE_RUNTIME_CLASS(CLeafA)
};
IMPLEMENT_RUNTIME_CLASS(CLeafA, CBranchA)

class CBranchB : public CObject {
public:
    ~CBranchB() override {}
    DECLARE_RUNTIME_CLASS(CBranchB)
};
IMPLEMENT_RUNTIME_CLASS(CBranchB, CObject)

}  // namespace

TEST(RuntimeClass, KindFollowsTheDerivationChainOnly)
{
    const CLeafA leaf;
    const CBranchA branch;
    EXPECT_TRUE(leaf.IsKindOf(RUNTIME_CLASS(CLeafA)));
    EXPECT_TRUE(leaf.IsKindOf(RUNTIME_CLASS(CBranchA)));
    EXPECT_TRUE(leaf.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(leaf.IsKindOf(RUNTIME_CLASS(CBranchB)));
    EXPECT_FALSE(branch.IsKindOf(RUNTIME_CLASS(CLeafA)));  // a base is not its derived class
    EXPECT_FALSE(leaf.IsKindOf(nullptr));
}

TEST(RuntimeClass, EveryObjectAnswersThroughItsVirtualRecord)
{
    const CLeafA leaf;
    const CObject& asObject = leaf;
    EXPECT_EQ(asObject.GetRuntimeClass(), RUNTIME_CLASS(CLeafA));
    EXPECT_EQ(RUNTIME_CLASS(CLeafA)->m_pBaseClass, RUNTIME_CLASS(CBranchA));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
    const CString text("x");
    EXPECT_TRUE(text.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(text.IsKindOf(RUNTIME_CLASS(CBranchA)));
}

namespace {

// Global objects of other units (the application object, the menus) are built during
// start-up too, in no promised order; the class records must already be usable then.
// The priority makes this one run before every ordinary initialiser.
struct StartupQuery {
    bool baseLinked = false;
    bool stringIsObject = false;
    StartupQuery()
    {
        baseLinked = RUNTIME_CLASS(CString)->m_pBaseClass == RUNTIME_CLASS(CObject);
        const CString text("x");
        // Never a virtual call on a record that is not built yet: that would crash.
        stringIsObject = baseLinked && text.IsKindOf(RUNTIME_CLASS(CObject));
    }
};
__attribute__((init_priority(101))) const StartupQuery g_startupQuery;

}  // namespace

TEST(RuntimeClass, RecordsAreReadyBeforeAnyStartupCode)
{
    EXPECT_TRUE(g_startupQuery.baseLinked);
    EXPECT_TRUE(g_startupQuery.stringIsObject);
}

// Names between UTF-16 and the code page, and paths made full or quoted.

TEST(NameConversion, OnlyExactNamesPassAndShortNamesStandIn)
{
    CString text;
    EXPECT_TRUE(ExactAnsiName(L"\u8868\u793a.txt", text));  // 表示.txt
    EXPECT_STREQ(text.GetString(), "表示.txt");
    EXPECT_FALSE(ExactAnsiName(L"caf\u00e9.txt", text));
    EXPECT_STRNE(text.GetString(), "cafe.txt") << "never the best-fit look-alike";
    EXPECT_FALSE(ExactAnsiName(L"x\U0001F600", text));
    EXPECT_FALSE(ExactAnsiName(L"\u00e9", text));

    WIN32_FIND_DATAW entry = {};
    lstrcpyW(entry.cFileName, L"Gr\u00f6\u00dfe.txt");
    lstrcpyW(entry.cAlternateFileName, L"GRE~1.TXT");
    EXPECT_EQ(ListedName(entry, text), NameFault::None);
    EXPECT_STREQ(text.GetString(), "GRE~1.TXT");
    entry.cAlternateFileName[0] = L'\0';
    EXPECT_EQ(ListedName(entry, text), NameFault::CodePage);
    EXPECT_STRNE(text.GetString(), "Grose.txt");
    lstrcpyW(entry.cFileName, L"\u30bd\u30d5\u30c8");  // ソフト needs no short name
    EXPECT_EQ(ListedName(entry, text), NameFault::None);
    EXPECT_STREQ(text.GetString(), "ソフト");
}

// A path that reaches the very entry, beside the look-alike the system would read its name
// as: as it stands where it can, else its short form.
TEST(PathLookup, ReachingPathFallsBackToTheShortFormOnlyWhereItMust)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = temp + (L"reaching paths " + std::to_wstring(GetCurrentProcessId()));
    const std::wstring literal = L"\\\\?\\" + folder;  // keeps closing dots and blanks
    ASSERT_TRUE(CreateDirectoryW(literal.c_str(), nullptr));
    const wchar_t* const names[] = {L"\\memo.txt", L"\\cafe.txt", L"\\plain.txt", L"\\\u8868\u793a.txt",
                                    L"\\memo.txt.", L"\\memo.txt ", L"\\caf\u00e9.txt", L"\\sp\u00e9 ."};
    for (const wchar_t* name : names) {
        HANDLE file = CreateFileW((literal + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, name, lstrlenW(name) * sizeof(wchar_t), &written, nullptr);  // its own name
        CloseHandle(file);
    }
    for (const wchar_t* const& name : names) {
        const std::wstring path = folder + name;
        CString reaching, exact;
        ASSERT_TRUE(ReachingPath(path.c_str(), reaching)) << reaching.GetString();
        const bool asItStands = &name < names + 4;  // the names a path keeps
        EXPECT_EQ(ExactAnsiName(path.c_str(), exact) && exact == reaching, asItStands) << reaching.GetString();
        wchar_t content[MAX_PATH] = L"";
        DWORD read = 0;
        HANDLE file = CreateFileA(reaching.GetString(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ReadFile(file, content, sizeof content - sizeof(wchar_t), &read, nullptr);
        CloseHandle(file);
        EXPECT_EQ(std::wstring(content), name) << reaching.GetString() << " opens another entry";
        DeleteFileW((literal + name).c_str());
    }
    // Only the name that needs it is shortened: the folders on the way stay as the user knows them.
    ASSERT_TRUE(CreateDirectoryW((literal + L"\\d\u00e9").c_str(), nullptr));
    CloseHandle(CreateFileW((literal + L"\\d\u00e9\\inner.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    CString inner, plainFolder;
    ASSERT_TRUE(ReachingPath((folder + L"\\d\u00e9\\inner.txt").c_str(), inner));
    ExactAnsiName(folder.c_str(), plainFolder);
    const std::string kept = inner.GetString();
    EXPECT_EQ(kept.rfind(std::string(plainFolder.GetString()) + "\\", 0), 0u) << kept;
    EXPECT_EQ(kept.substr(kept.size() - 10), "\\inner.txt") << kept;
    EXPECT_TRUE(FileExists(inner)) << kept;
    DeleteFileW((literal + L"\\d\u00e9\\inner.txt").c_str());
    RemoveDirectoryW((literal + L"\\d\u00e9").c_str());
    RemoveDirectoryW(literal.c_str());
    CString lost;
    EXPECT_FALSE(ReachingPath((folder + L"\\gone\u00e9.txt").c_str(), lost)) << "no entry, no short form";
}

// Every kind of name a folder can hold: the name it is listed by, and whether commands
// refuse it, with or without a short name beside it.
TEST(NameConversion, EachNameIsListedByANameThatReachesItOrRefused)
{
    const struct {
        const wchar_t* name;
        const wchar_t* shortName;
        const char* listed;
        NameFault fault;
    } rows[] = {
        {L"memo.txt", L"", "memo.txt", NameFault::None},
        {L"\u8868\u793a", L"", "表示", NameFault::None},
        {L"CONSOLE.txt", L"", "CONSOLE.txt", NameFault::None},
        {L"COM0", L"", "COM0", NameFault::None},
        {L"my.con", L"", "my.con", NameFault::None},
        {L"caf\u00e9", L"CAF~1", "CAF~1", NameFault::None},
        {L"caf\u00e9", L"", "caf?", NameFault::CodePage},
        {L"memo.txt.", L"MEMO~1.TXT", "MEMO~1.TXT", NameFault::None},
        {L"memo.txt ", L"", "memo.txt ", NameFault::DotOrBlank},
        {L"a\"b", L"A_B~1", "A_B~1", NameFault::None},
        {L"'\"'", L"", "'\"'", NameFault::Forbidden},
        {L"<>?:\"{}|_+", L"", "<>?:\"{}|_+", NameFault::Forbidden},
        {L"\\", L"", "\\", NameFault::Forbidden},
        {L"tab\there", L"", "tab\there", NameFault::Forbidden},
        {L"a*b", L"A_B~2", "A_B~2", NameFault::None},
        {L"back\\slash", L"BACK\\~1", "back\\slash", NameFault::Forbidden},  // a short name as bad
        {L"AUX", L"", "AUX", NameFault::Device},
        {L"com1.txt", L"", "com1.txt", NameFault::Device},
        {L"Lpt9", L"", "Lpt9", NameFault::Device},
        {L"nul .tar.gz", L"", "nul .tar.gz", NameFault::Device},
        {L"PRN", L"PRN~1", "PRN~1", NameFault::None},
        {L".", L"", ".", NameFault::None},
        {L"..", L"", "..", NameFault::None},
    };
    for (const auto& row : rows) {
        WIN32_FIND_DATAW entry = {};
        lstrcpyW(entry.cFileName, row.name);
        lstrcpyW(entry.cAlternateFileName, row.shortName);
        CString listed;
        EXPECT_EQ(ListedName(entry, listed), row.fault) << row.listed;
        EXPECT_STREQ(listed.GetString(), row.listed);
    }
}

// 表, ソ and 十 end in the byte 0x5C: only a backslash that starts a character separates.
TEST(PathText, SplitsAtRealSeparatorsOnly)
{
    const struct {
        const char* path;
        int last, name;  // FindLastSeparator, FindNameSeparator
        const char* fileName;
        const char* bare;  // WithoutClosingSeparators
        bool root;
        const char* quoted;
    } cases[] = {
        {"C:\\表", 2, 2, "表", "C:\\表", false, "\"C:\\表\""},
        {"C:\\表\\", 5, 2, "", "C:\\表", false, "\"C:\\表\\\\\""},
        {"C:\\ソフト\\十", 9, 9, "十", "C:\\ソフト\\十", false, "\"C:\\ソフト\\十\""},
        {"C:\\A\\B\\\\", 7, 4, "", "C:\\A\\B", false, "\"C:\\A\\B\\\\\\\\\""},
        {"表示", -1, -1, "表示", "表示", false, "\"表示\""},
        {"..\\ソ", 2, 2, "ソ", "..\\ソ", false, "\"..\\ソ\""},
        {"C:\\", 2, -1, "", "C:", true, "\"C:\\\\\""},
        {"C:", -1, -1, "C:", "C:", true, "\"C:\""},
        {"\\", 0, -1, "", "", true, "\"\\\\\""},
        {"\\\\srv\\share", 5, 5, "share", "\\\\srv\\share", true, "\"\\\\srv\\share\""},
        {"\\\\srv\\表\\", 8, 5, "", "\\\\srv\\表", true, "\"\\\\srv\\表\\\\\""},
        {"\\\\srv\\share\\d", 11, 11, "d", "\\\\srv\\share\\d", false, "\"\\\\srv\\share\\d\""},
        {"", -1, -1, "", "", false, "\"\""},
        {"C:\\a b\\c.txt", 6, 6, "c.txt", "C:\\a b\\c.txt", false, "\"C:\\a b\\c.txt\""},
        {"C:\\x\\\\", 5, 2, "", "C:\\x", false, "\"C:\\x\\\\\\\\\""},
        {"C:\\ソ\\十", 5, 5, "十", "C:\\ソ\\十", false, "\"C:\\ソ\\十\""},
    };
    for (const auto& c : cases) {
        const CString path(c.path);
        EXPECT_EQ(FindLastSeparator(path), c.last) << c.path;
        EXPECT_EQ(FindNameSeparator(path), c.name) << c.path;
        EXPECT_STREQ(FileName(path).GetString(), c.fileName) << c.path;
        EXPECT_EQ(EndsWithSeparator(path), c.last >= 0 && c.last == path.GetLength() - 1) << c.path;
        EXPECT_STREQ(WithoutClosingSeparators(path).GetString(), c.bare) << c.path;
        EXPECT_EQ(IsRootPath(path), c.root) << c.path;
        EXPECT_STREQ(QuotedArgument(path).GetString(), c.quoted) << c.path;
    }
}

TEST(PathText, UnquotedDropsOnlyAPairOfDoubleQuotes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\表\"", "C:\\表"}, {"\"\"", ""},   {"\"", "\""},         {"\"a", "\"a"},
        {"a\"", "a\""},             {"'a'", "'a'"}, {"\"\"a\"\"", "\"a\""}, {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(Unquoted(c.first).GetString(), c.second) << c.first;
        wchar_t wide[MAX_PATH], expected[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, c.first, -1, wide, MAX_PATH);
        MultiByteToWideChar(CP_ACP, 0, c.second, -1, expected, MAX_PATH);
        EXPECT_EQ(std::wstring(Unquoted(wide)), expected) << c.first;
        const std::string padded = std::string(" \t") + c.first + "  ";  // blanks go first
        EXPECT_STREQ(PathAsGiven(padded.c_str()).GetString(), c.second) << padded;
    }
    EXPECT_STREQ(PathAsGiven("\" C:\\a b \"").GetString(), " C:\\a b ") << "blanks inside quotes stay";
}

// The file system reads "memo.txt." and "memo.txt " as memo.txt: such a name cannot be
// carried by a path as it stands.
TEST(PathText, NamesEndingInADotOrABlankAreTheOnesAPathLoses)
{
    const std::pair<const wchar_t*, bool> names[] = {
        {L"memo.txt.", true}, {L"memo.txt ", true}, {L"dir.", true},    {L"\u8868 ", true},
        {L".", false},        {L"..", false},       {L"", false},       {L"a.b", false},
        {L".hidden", false},  {L"...", true},       {L" a", false},     {L"\u8868", false},
    };
    for (const auto& n : names) {
        EXPECT_EQ(EndsInDotOrBlank(n.first), n.second) << static_cast<int>(lstrlenW(n.first));
        EXPECT_EQ(FaultOf(n.first), n.second ? NameFault::DotOrBlank : NameFault::None);
    }
    const std::pair<const wchar_t*, bool> paths[] = {
        {L"C:\\a\\b", true},      {L"C:\\dir.\\x", false}, {L"C:\\a\\..\\b", true},
        {L"C:\\a \\b", false},    {L"C:/x./y", false},       {L"C:\\a\\b.", false},
        {L"\\\\srv\\s\\.\\x", true}, {L"", true},              {L"C:\\a\\\\b", true},
        {L"C:\\a\\AUX", false},     {L"C:\\a<b\\c", false},  {L"\\\\?\\C:\\x", true},
        {L"\\\\?\\UNC\\srv\\s\\c.", false}, {L"C:", true},     {L"C:\\con.txt\\x", false},
    };
    for (const auto& p : paths)
        EXPECT_EQ(KeepsEveryName(p.first), p.second) << std::string(p.first, p.first + lstrlenW(p.first));
}

// A paste puts the clipboard over the selection; a path copied as the system copies it
// comes in quotes.
TEST(PathText, APasteTakesThePlaceOfTheSelection)
{
    const struct {
        const char* text;
        int start, end;
        const wchar_t* pasted;
        const wchar_t* path;
    } cases[] = {
        {"", 0, 0, L"C:\\caf\u00e9", L"C:\\caf\u00e9"},
        {"C:\\old", 0, 6, L"C:\\caf\u00e9", L"C:\\caf\u00e9"},
        {"C:\\表\\old", 6, 9, L"caf\u00e9", L"C:\\\u8868\\caf\u00e9"},
        {"C:\\a\\b", 3, 4, L"\u00e9", L"C:\\\u00e9\\b"},
        {"C:\\x", 5, 5, L"\\d\u00e9", L"C:\\x\\d\u00e9"},
        {"", 0, 0, L"\"C:\\sp ace\\d\u00e9\"", L"C:\\sp ace\\d\u00e9"},
        {"\"C:\\", 4, 4, L"d\u00e9\"", L"C:\\d\u00e9"},
    };
    for (const auto& c : cases) {
        wchar_t path[64];
        ASSERT_TRUE(PastedPath(c.text, c.start, c.end, c.pasted, path, 64)) << c.text;
        EXPECT_EQ(std::wstring(path), c.path) << c.text << " " << c.start << "-" << c.end;
    }
    wchar_t small[8];
    EXPECT_FALSE(PastedPath("C:\\long", 8, 8, L"\\caf\u00e9", small, 8)) << "more than the buffer holds";
}

// Relative forms are taken from the base; the result must fit where a path is kept.
TEST(PathText, FullPathResolvesFromTheBaseAndFitsInMaxPath)
{
    const std::string deep = "C:\\" + std::string(250, 'd');  // 253 bytes
    std::string days;  // 300 bytes in the code page, 150 characters in UTF-16: never cut
    for (int i = 0; i < 150; ++i)
        days += "日";
    const std::pair<std::pair<std::string, std::string>, std::string> cases[] = {
        {{"C:\\表\\ソ", ".."}, "C:\\表"},
        {{"C:\\表", "十"}, "C:\\表\\十"},
        {{"C:\\表\\", "十\\..\\x"}, "C:\\表\\x"},
        {{"C:\\表", "\\x"}, "C:\\x"},
        {{"C:\\表", "D:\\y"}, "D:\\y"},
        {{"C:\\表", "C:"}, "C:\\"},
        {{"\\\\srv\\share\\a\\b", ".."}, "\\\\srv\\share\\a"},
        {{"C:\\A", "b. "}, "C:\\A\\b"},
        {{"C:\\A", ""}, ""},
        {{deep, "12345"}, deep + "\\12345"},  // 259 bytes: the longest that fits
        {{deep, "123456"}, ""},
        {{"C:\\windows", days}, ""},
        {{"C:\\windows", "日"}, "C:\\windows\\日"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(FullPath(c.first.first.c_str(), c.first.second.c_str()).GetString()),
                  c.second)
            << c.first.first << " + " << c.first.second;
}

// The current directory may be longer in bytes than in characters: a relative path
// taken from it must still give no path the program cannot use.
TEST(PathText, FullPathFromADoubleByteCurrentDirectoryFitsInMaxPathToo)
{
    wchar_t previous[MAX_PATH] = L"", folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, previous);
    GetTempPathW(MAX_PATH, folder);
    std::wstring deep(folder);
    std::vector<std::wstring> levels;
    for (int i = 0; i < 8; ++i) {
        levels.push_back(deep += L"表示ソフト十十表示表示ソフト十十表示" + std::to_wstring(i));
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        deep += L"\\";
    }
    ASSERT_TRUE(SetCurrentDirectoryW(levels[2].c_str()));
    char shallow[MAX_PATH] = "";  // fewer than 160 bytes
    GetCurrentDirectoryA(MAX_PATH, shallow);
    EXPECT_EQ(std::string(FullPath("", "x").GetString()), std::string(shallow) + "\\x");
    ASSERT_TRUE(SetCurrentDirectoryW(levels.back().c_str()));  // past 300 bytes
    EXPECT_STREQ(FullPath("", "x").GetString(), "");
    SetCurrentDirectoryW(previous);
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        RemoveDirectoryW(level->c_str());
}

// Texts one after another in one block: what was added comes back in order, whole, and
// nothing past the block's last byte is read.
TEST(TextList, GivesBackWhatWasAddedUpToTheBlocksLastByte)
{
    CTextList list;
    EXPECT_EQ(list.First(), nullptr);
    ASSERT_TRUE(list.Add("ab", 2));
    ASSERT_TRUE(list.Add("xy", 2));  // fills the first block, grown for the first text, exactly
    ASSERT_TRUE(list.Add("表示ソ", 2));  // a count of bytes, not the whole text
    std::vector<std::string> texts;
    for (const char* text = list.First(); text != nullptr; text = list.Next(text))
        texts.push_back(text);
    EXPECT_EQ(texts, (std::vector<std::string>{"ab", "xy", "表"}));
    EXPECT_TRUE(list.IsComplete());

    const CTextList copy(list);
    CTextList moved(std::move(list));
    EXPECT_EQ(list.First(), nullptr) << "a moved-from list is empty";
    ASSERT_NE(copy.First(), nullptr);
    EXPECT_STREQ(copy.Next(copy.First()), "xy");
    EXPECT_STREQ(moved.Next(moved.Next(moved.First())), "表");
    moved.Clear();
    EXPECT_EQ(moved.First(), nullptr);
    ASSERT_TRUE(moved.Add("", 0));
    EXPECT_STREQ(moved.First(), "");
    EXPECT_EQ(moved.Next(moved.First()), nullptr);
}
