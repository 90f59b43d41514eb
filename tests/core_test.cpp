#include "framework/core/Object.h"
#include "framework/core/PathText.h"
#include "framework/core/String.h"

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
    EXPECT_TRUE(ListedName(entry, text));
    EXPECT_STREQ(text.GetString(), "GRE~1.TXT");
    entry.cAlternateFileName[0] = L'\0';
    EXPECT_FALSE(ListedName(entry, text));
    EXPECT_STRNE(text.GetString(), "Grose.txt");
    lstrcpyW(entry.cFileName, L"\u30bd\u30d5\u30c8");  // ソフト needs no short name
    EXPECT_TRUE(ListedName(entry, text));
    EXPECT_STREQ(text.GetString(), "ソフト");
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
    for (const auto& c : cases)
        EXPECT_STREQ(Unquoted(c.first).GetString(), c.second) << c.first;
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
