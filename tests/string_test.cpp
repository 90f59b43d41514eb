#include "framework/core/String.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

// Allocation failures on request. This file's realloc and calloc replace the C runtime's
// for the whole test program, so CString's own calls can be made to fail.
namespace {

int g_refusedAllocations = 0;  // how many of the next realloc/calloc calls fail

template <class Function>
Function RuntimeFunction(const char* name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleA("msvcrt.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

bool RefuseThisAllocation()
{
    return g_refusedAllocations > 0 ? (--g_refusedAllocations, true) : false;
}

// Refuses the next `count` reallocations and zeroed allocations while in scope.
class AllocationFailure {
public:
    explicit AllocationFailure(int count) { g_refusedAllocations = count; }
    ~AllocationFailure() { g_refusedAllocations = 0; }
    int Unused() const { return g_refusedAllocations; }
};

}  // namespace

// Looked up on first use, without a guarded static: the lookup must not allocate.
using ReallocFunction = void*(__cdecl*)(void*, size_t);
using CallocFunction = void*(__cdecl*)(size_t, size_t);
static ReallocFunction g_realRealloc = nullptr;
static CallocFunction g_realCalloc = nullptr;

extern "C" void* realloc(void* block, size_t size)
{
    if (g_realRealloc == nullptr)
        g_realRealloc = RuntimeFunction<ReallocFunction>("realloc");
    return RefuseThisAllocation() ? nullptr : g_realRealloc(block, size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    if (g_realCalloc == nullptr)
        g_realCalloc = RuntimeFunction<CallocFunction>("calloc");
    return RefuseThisAllocation() ? nullptr : g_realCalloc(count, size);
}

namespace {

std::string Text(const CString& s)
{
    return s.GetString() ? std::string(s.GetString()) : std::string("<no buffer>");
}

// "表" and "ソ" end in the trail byte 0x5C, the path separator's value.
const std::string Hyo = "表";
const std::string So = "ソ";

}  // namespace

TEST(StringConstruction, DefaultAndNullGiveAnEmptyBufferOf64)
{
    const CString plain;
    const CString fromNull(static_cast<const char*>(nullptr));
    for (const CString* s : {&plain, &fromNull}) {
        EXPECT_EQ(Text(*s), "");
        EXPECT_EQ(s->GetCapacity(), CString::DefaultBufferSize);
        EXPECT_TRUE(s->IsEmpty());
    }
}

TEST(StringConstruction, CountIsCharactersAndTheBufferAddsTheNul)
{
    const CString all("abcdef");
    EXPECT_EQ(Text(all), "abcdef");
    EXPECT_EQ(all.GetCapacity(), 7);

    const CString three("abcdef", 3);
    EXPECT_EQ(Text(three), "abc");
    EXPECT_EQ(three.GetCapacity(), 4);

    const CString negative("abc", -1);
    EXPECT_EQ(Text(negative), "");
    EXPECT_EQ(negative.GetCapacity(), 1);

    const CString longer("ab", 10);  // copying stops at the text's NUL; the block is as asked
    EXPECT_EQ(Text(longer), "ab");
    EXPECT_EQ(longer.GetCapacity(), 11);

    const CString huge("abc", INT_MAX);  // no room for a NUL after INT_MAX: the whole text
    EXPECT_EQ(Text(huge), "abc");
}

TEST(StringConstruction, CopyOwnsABufferSizedToItsText)
{
    CString source;
    source.GetBuffer(300);
    source.Assign("abc", 0);
    CString copy(source);
    EXPECT_EQ(Text(copy), "abc");
    EXPECT_EQ(copy.GetCapacity(), 4);
    EXPECT_NE(copy.GetString(), source.GetString());

    copy[0] = 'X';  // nothing shared: the source keeps its text
    EXPECT_EQ(Text(source), "abc");

    const CString firstTwo(source, 2);
    EXPECT_EQ(Text(firstTwo), "ab");
    EXPECT_EQ(firstTwo.GetCapacity(), 3);
}

TEST(StringConstruction, ConcatenationHoldsBothTextsExactly)
{
    const CString joined("ab", "cde");
    EXPECT_EQ(Text(joined), "abcde");
    EXPECT_EQ(joined.GetCapacity(), 6);
    EXPECT_EQ(Text(CString(static_cast<const char*>(nullptr), "x")), "x");
    EXPECT_EQ(Text(CString("x", static_cast<const char*>(nullptr))), "x");

    const CString left("C:");
    EXPECT_EQ(Text(left + "\\dir"), "C:\\dir");
    EXPECT_EQ(Text(left + CString("\\x")), "C:\\x");
    EXPECT_EQ(Text("D:" + CString("\\y")), "D:\\y");
    EXPECT_EQ(Text(left), "C:");  // + leaves its operands alone
}

TEST(StringConstruction, FailedAllocationBehavesAsEmpty)
{
    AllocationFailure refuse(1);
    CString broken("abc");
    ASSERT_EQ(refuse.Unused(), 0);
    EXPECT_EQ(broken.GetString(), nullptr);
    EXPECT_EQ(broken.GetLength(), 0);
    EXPECT_EQ(broken.GetCapacity(), 0);
    EXPECT_TRUE(broken.IsEmpty());
    EXPECT_EQ(broken.Find('a'), -1);
    EXPECT_EQ(broken.Find('a', 0), -1);
    EXPECT_EQ(broken.ReverseFind('a'), -1);
    EXPECT_EQ(broken.ReverseFind("a"), -1);
    int start = 0, count = 1;
    EXPECT_FALSE(broken.ClipRange(start, count));
    EXPECT_EQ(Text(broken.Mid(0, 1)), "");
    EXPECT_EQ(Text(broken.Left(2)), "");

    broken += "back";  // the next growth gives it a buffer again
    EXPECT_EQ(Text(broken), "back");
}

TEST(StringIndex, IndexPastTheCapacityGrowsTheBufferToIndexPlusOne)
{
    CString s;
    *s.ElementAt(63) = 'z';  // last byte of the 64: no growth
    EXPECT_EQ(s.GetCapacity(), 64);

    s.Assign("abc", 0);
    char* beyond = s.ElementAt(100);
    EXPECT_EQ(s.GetCapacity(), 101);
    EXPECT_EQ(beyond, s.GetString() + 100);  // taken after the reallocation
    *beyond = 'z';
    EXPECT_EQ(Text(s), "abc");  // past the NUL: the text is unchanged
}

TEST(StringIndex, NegativeOrUnreachableIndexNeitherShrinksNorWritesWild)
{
    CString text("abc");
    EXPECT_EQ(text.ElementAt(-3), text.GetString());  // negative: the first character
    text[-1] = 'X';
    EXPECT_EQ(Text(text), "Xbc");
    EXPECT_EQ(text.GetCapacity(), 4);

    *text.ElementAt(INT_MAX) = 'z';
    EXPECT_EQ(Text(text), "Xbc");
    EXPECT_EQ(text.GetCapacity(), 4);

    AllocationFailure refuse(1);
    *text.ElementAt(1000) = 'z';  // growth refused
    EXPECT_EQ(Text(text), "Xbc");
    EXPECT_EQ(text.GetCapacity(), 4);
}

class StringSlice : public testing::Test {
protected:
    CString m_abcdef{"abcdef"};
    CString m_abcd{"abcd"};
};

TEST_F(StringSlice, LeftClipsToTheTextAndRightTakesTheTailOrEverything)
{
    EXPECT_EQ(Text(m_abcd.Left(0)), "");
    EXPECT_EQ(Text(m_abcd.Left(-5)), "");
    EXPECT_EQ(Text(m_abcd.Left(2)), "ab");
    EXPECT_EQ(Text(CString("abc").Left(99)), "abc");
    EXPECT_EQ(Text(m_abcd.Left(INT_MAX)), "abcd");
    EXPECT_EQ(m_abcd.Left(99).GetCapacity(), 5);  // results are sized to their text
    EXPECT_EQ(Text(m_abcd.Right(0)), "");
    EXPECT_EQ(Text(m_abcd.Right(2)), "cd");
    EXPECT_EQ(Text(m_abcd.Right(4)), "abcd");
    EXPECT_EQ(Text(m_abcd.Right(9)), "abcd");
    EXPECT_EQ(Text(m_abcd.Right(-1)), "abcd");
    EXPECT_EQ(Text(m_abcd.Right(INT_MIN)), "abcd");
}

TEST_F(StringSlice, MidAndClipRangeClipStartAndCount)
{
    EXPECT_EQ(Text(m_abcdef.Mid(-2, 4)), "ab");  // the count shrinks with the start
    EXPECT_EQ(Text(m_abcdef.Mid(-4, 4)), "");
    EXPECT_EQ(Text(m_abcdef.Mid(2, 100)), "cdef");
    EXPECT_EQ(m_abcdef.Mid(2, 100).GetCapacity(), 5);
    EXPECT_EQ(Text(m_abcdef.Mid(0, INT_MAX)), "abcdef");
    EXPECT_EQ(Text(m_abcdef.Mid(INT_MIN, INT_MAX)), "");
    EXPECT_EQ(Text(m_abcdef.Mid(-1, INT_MIN)), "");
    EXPECT_EQ(Text(m_abcdef.Mid(6, 1)), "");
    EXPECT_EQ(Text(m_abcdef.Mid(7, 1)), "");
    EXPECT_EQ(Text(m_abcdef.Mid(1, 0)), "");
    EXPECT_EQ(Text(CString().Mid(0, 1)), "");
    EXPECT_EQ(Text(CString("").Mid(-1, 5)), "");

    // ClipRange reports the length when there is something to take.
    int start = -2, count = 4;
    EXPECT_EQ(m_abcdef.ClipRange(start, count), 6);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(count, 2);
    start = 3;
    count = 100;  // not cut at the end of the text
    EXPECT_TRUE(m_abcdef.ClipRange(start, count));
    EXPECT_EQ(count, 100);
    start = 0;
    count = 1;
    EXPECT_FALSE(CString("").ClipRange(start, count));
}

TEST(StringFormat, LongOutputGrowsIn128ByteStepsAndIsComplete)
{
    CString s;
    const std::string fits = std::string(63, 'a');
    s.Format("%s", fits.c_str());
    EXPECT_EQ(s.GetCapacity(), 64);

    const std::string oneMore = std::string(64, 'b');
    s.Format("%s", oneMore.c_str());
    EXPECT_EQ(s.GetCapacity(), 192);
    EXPECT_EQ(Text(s), oneMore);

    const std::string long300 = std::string(300, 'c');
    s.Format("[%s]", long300.c_str());
    EXPECT_EQ(s.GetCapacity(), 320);  // 192 + 128
    EXPECT_EQ(Text(s), "[" + long300 + "]");

    s.Format("%d", 7);  // never shrinks
    EXPECT_EQ(s.GetCapacity(), 320);
    EXPECT_EQ(Text(s), "7");
}

TEST(StringFormat, GrowthStartsFromTheCapacityItHad)
{
    CString s("abc");
    s.Format("%05d-%s", 42, "0123");
    EXPECT_EQ(Text(s), "00042-0123");
    EXPECT_EQ(s.GetCapacity(), 4 + 128);

    CString longer;
    const std::string text = std::string(1000, 'x');
    longer.Format("%s%s", text.c_str(), "表示");
    EXPECT_EQ(Text(longer), text + "表示");
    EXPECT_EQ(longer.GetCapacity(), 64 + 8 * 128);

    CString own(std::string(60, 'p').c_str());
    own.Format("%s\\%s", own.GetString(), own.GetString());  // grows, so the buffer may move
    EXPECT_EQ(Text(own), std::string(60, 'p') + "\\" + std::string(60, 'p'));
}

TEST(StringFormat, FailedGrowthLeavesTheStringAsItWas)
{
    CString s("abc");
    {
        AllocationFailure refuse(1);
        s.Format("%200d", 1);
        EXPECT_EQ(refuse.Unused(), 0);
    }
    EXPECT_EQ(Text(s), "abc");
    EXPECT_EQ(s.GetCapacity(), 4);
}

TEST(StringAssign, ExplicitSizeIsABufferSizeWithTheNulAndGrowthIsToThatSize)
{
    CString s;
    s.Assign("abcdef", 4);
    EXPECT_EQ(Text(s), "abc");
    s.Assign("abcdef", 0);
    EXPECT_EQ(Text(s), "abcdef");
    s.Assign("abcdef", 1);
    EXPECT_EQ(Text(s), "");
    s.Assign(CString("xyz"), 3);
    EXPECT_EQ(Text(s), "xy");

    const std::string text(70, 'g');
    s.Assign(text.c_str(), 0);  // size 71 with the NUL, block 72
    EXPECT_EQ(Text(s), text);
    EXPECT_EQ(s.GetCapacity(), 72);
}

TEST(StringAssign, NeverShrinksButAppendFitsExactly)
{
    CString s;
    s.GetBuffer(300);
    s.Assign("ab", 0);
    EXPECT_EQ(Text(s), "ab");
    EXPECT_EQ(s.GetCapacity(), 300);
    s = CString("cd");
    EXPECT_EQ(s.GetCapacity(), 300);

    s.Append("e");
    EXPECT_EQ(Text(s), "cde");
    EXPECT_EQ(s.GetCapacity(), 4);
}

TEST(StringAssign, OwnTextIsSafe)
{
    CString s("abcdef");
    s = s;
    EXPECT_EQ(Text(s), "abcdef");
    s.Copy(s);
    EXPECT_EQ(Text(s), "abcdef");
    s.Assign(s, 0);
    EXPECT_EQ(Text(s), "abcdef");
    s.Assign(s.GetString() + 2, 0);  // the source lies in the buffer that is cleared
    EXPECT_EQ(Text(s), "cdef");
}

TEST(StringAssign, FailedGrowthLeavesTheStringAsItWas)
{
    CString s("ab");
    AllocationFailure refuse(1);
    s.Assign("longer text", 0);
    EXPECT_EQ(refuse.Unused(), 0);
    EXPECT_EQ(Text(s), "ab");
    EXPECT_EQ(s.GetCapacity(), 3);
}

TEST(StringAppend, EveryAppendFitsTheBufferToTheJoinedText)
{
    CString s;
    s += "abc";
    EXPECT_EQ(s.GetCapacity(), 4);
    s += 'd';
    EXPECT_EQ(Text(s), "abcd");
    EXPECT_EQ(s.GetCapacity(), 5);
    s += CString("表");
    EXPECT_EQ(Text(s), "abcd" + Hyo);
    EXPECT_EQ(s.GetCapacity(), 7);
    s += "";
    EXPECT_EQ(s.GetCapacity(), 7);
}

TEST(StringAppend, OwnTextIsSafe)
{
    CString s("ab");
    s += s;
    EXPECT_EQ(Text(s), "abab");
    s.Append(s.GetString() + 1);  // the reallocation may move the source
    EXPECT_EQ(Text(s), "ababbab");
    s += s.GetString();
    EXPECT_EQ(Text(s), "ababbabababbab");
}

TEST(StringAppend, FailedReallocationLeavesTheStringAsItWas)
{
    CString s("ab");
    {
        AllocationFailure refuse(1);
        s += "cd";
        s += 'e';
        EXPECT_EQ(refuse.Unused(), 0);  // the second append did get memory
    }
    EXPECT_EQ(Text(s), "abe");
}

TEST(StringInsert, PutsTextAtTheClippedPosition)
{
    const struct {
        int position;
        const char* expected;
    } cases[] = {
        {2, "abXYcd"},  {0, "XYabcd"},       {-1, "XYabcd"},      {INT_MIN, "XYabcd"},
        {4, "abcdXY"},  {10, "abcdXY"},      {INT_MAX, "abcdXY"}, {1, "aXYbcd"},
    };
    for (const auto& c : cases) {
        CString s("abcd");
        s.Insert("XY", c.position);
        EXPECT_EQ(Text(s), c.expected) << "position " << c.position;
        EXPECT_EQ(s.GetCapacity(), 7) << "position " << c.position;
    }
    CString empty;
    empty.Insert("XY", 3);
    EXPECT_EQ(Text(empty), "XY");
    CString own("abc");
    own.Insert(own.GetString(), 1);
    EXPECT_EQ(Text(own), "aabcbc");
}

TEST(StringStorage, EmptyKeepsTheBuffer)
{
    CString s;
    s.Format("%300d", 5);
    s.Empty();
    EXPECT_EQ(Text(s), "");
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.GetCapacity(), 320);
    EXPECT_EQ(*s.ElementAt(299), '\0');  // the whole block is cleared, not only the first byte
}

TEST(StringStorage, FreeExtraLeavesLengthPlusTwoOrKeepsTheTextWhenRefused)
{
    CString s;
    s.Format("%s", "abc");
    s.FreeExtra();
    EXPECT_EQ(Text(s), "abc");
    EXPECT_EQ(s.GetCapacity(), 5);
    CString empty;
    empty.FreeExtra();
    EXPECT_EQ(empty.GetCapacity(), 2);


    CString refused;
    refused.Assign("abc", 0);
    AllocationFailure refuse(1);
    refused.FreeExtra();
    EXPECT_EQ(Text(refused), "abc");
    EXPECT_EQ(refused.GetCapacity(), 64);
}

TEST(StringStorage, GetBufferAndResizeSetTheExactSizeAndKeepTheTextEnded)
{
    CString s("x");
    char* buffer = s.GetBuffer(260);
    EXPECT_EQ(s.GetCapacity(), 260);
    lstrcpynA(buffer, "C:\\表示\\ソフト", 260);
    EXPECT_EQ(Text(s), "C:\\表示\\ソフト");

    s.GetBuffer(0);  // no size: nothing is resized
    EXPECT_EQ(s.GetCapacity(), 260);

    CString shrunk("abcdef");  // a shrunk buffer still ends its text
    shrunk.GetBuffer(3);
    EXPECT_EQ(Text(shrunk), "ab");
    EXPECT_EQ(shrunk.GetCapacity(), 3);

    CString r("abcdef");
    EXPECT_TRUE(r.Resize(5, false));
    EXPECT_EQ(Text(r), "abcd");
    EXPECT_TRUE(r.Resize(40, true));
    EXPECT_EQ(Text(r), "");
    EXPECT_EQ(r.GetCapacity(), 40);
}

TEST(StringStorage, FailedResizeKeepsTheBuffer)
{
    CString s("abc");
    AllocationFailure refuse(2);
    EXPECT_FALSE(s.Resize(1000, true));
    EXPECT_EQ(s.GetBuffer(260), nullptr);  // never a block smaller than the caller will fill
    EXPECT_EQ(refuse.Unused(), 0);
    EXPECT_EQ(Text(s), "abc");
    EXPECT_EQ(s.GetCapacity(), 4);
}

TEST(StringSearch, FindStartsAtAGivenIndexAndReverseFindTakesTheLastOccurrence)
{
    const CString s("abcabc");
    EXPECT_EQ(s.Find('c', 2), 2);
    EXPECT_EQ(s.Find('c', 3), 5);
    EXPECT_EQ(s.Find('c', 6), -1);
    EXPECT_EQ(s.Find('c', 7), -1);
    EXPECT_EQ(s.Find('a', -1), -1);
    EXPECT_EQ(s.Find('c'), 2);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find("ca"), 2);
    EXPECT_EQ(s.Find("cb"), -1);
    EXPECT_EQ(s.ReverseFind('a'), 3);
    EXPECT_EQ(s.ReverseFind("bc"), 4);
    EXPECT_EQ(s.ReverseFind("abc"), 3);
    EXPECT_EQ(s.ReverseFind(""), 6);
    EXPECT_EQ(s.ReverseFind("zz"), -1);
    EXPECT_EQ(s.ReverseFind("abcabcabc"), -1);
    EXPECT_EQ(s.ReverseFind(CString("ca")), 2);
}

TEST(StringSearch, SearchesAreByteWiseOnShiftJis)
{
    ASSERT_EQ(Hyo, "\x95\x5C");  // the literal really is Shift-JIS
    ASSERT_EQ(So, "\x83\x5C");
    const CString path("C:\\表示");  // 43 3A 5C 95 5C 8E A6
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 4);  // the trail byte of 表 matches
    EXPECT_EQ(path.ReverseFind('\\'), 4);
    EXPECT_EQ(path.ReverseFind("\\"), 4);
    EXPECT_EQ(path.Find("\\\x8E"), 4);

    const CString folder("D:\\ソ");
    EXPECT_EQ(folder.ReverseFind('\\'), 4);  // a path "ending in a separator", byte-wise
}

TEST(StringCompare, CaseMattersOnlyForCompareNoCaseAndOrderIsTheLocales)
{
    const CString lower("a");
    EXPECT_NE(lower.Compare("A"), 0);
    EXPECT_EQ(lower.CompareNoCase("A"), 0);
    EXPECT_FALSE(lower == "A");
    EXPECT_TRUE(lower != CString("A"));
    EXPECT_TRUE(lower == CString("a"));
    EXPECT_TRUE(lower < "B");  // byte-wise 'a' (0x61) would sort after 'B' (0x42)
    EXPECT_TRUE(lower <= CString("B"));
    EXPECT_TRUE(CString("B") > lower);
    EXPECT_TRUE(CString("B") >= "a");
    EXPECT_TRUE(lower >= "a");
    EXPECT_TRUE(lower <= "a");
    EXPECT_FALSE(lower > "a");
    // Only no text is empty.
    EXPECT_TRUE(CString("").IsEmpty());
    EXPECT_FALSE(CString(" ").IsEmpty());
    EXPECT_FALSE(CString("\t").IsEmpty());
}

TEST(StringCase, MapsAsciiIntoANewString)
{
    const CString s("abc-XYZ-表");
    EXPECT_EQ(Text(s.ToUpper()), "ABC-XYZ-表");
    EXPECT_EQ(Text(s.ToLower()), "abc-xyz-表");
    EXPECT_EQ(Text(s), "abc-XYZ-表");
}

// One string through a caller's day: its own text as the argument of every operation that
// takes one, and Shift-JIS bytes (表 and ソ end in 0x5C) that only the text may hold.
TEST(StringModel, OwnTextAndShiftJisBytesSurviveAChainOfOperations)
{
    CString s("C:\\表");
    s += s;
    EXPECT_EQ(Text(s), "C:\\表C:\\表");
    s.Insert(s.GetString() + 5, 0);
    EXPECT_EQ(Text(s), "C:\\表C:\\表C:\\表");
    s = s.Mid(5, 5);
    EXPECT_EQ(Text(s), "C:\\表");
    s.Format("<%s>%d", s.GetString(), 42);
    EXPECT_EQ(Text(s), "<C:\\表>42");
    EXPECT_EQ(s.Find('\\', 4), 5) << "byte-wise: the trail byte of 表 is a 0x5C";
    EXPECT_EQ(s.ReverseFind('\\'), 5);
    EXPECT_EQ(Text(s.Right(3)), ">42");
    EXPECT_EQ(Text(s.Left(-1)), "");

    const CString kept(s);
    s += 'x';
    s.Append("ソ");
    EXPECT_EQ(Text(kept), "<C:\\表>42") << "a copy shares nothing";
    EXPECT_EQ(Text(s), "<C:\\表>42xソ");
    s[s.GetLength() + 100] = 'z';  // past the text's end: the text stays
    EXPECT_EQ(Text(s), "<C:\\表>42xソ");
    s.FreeExtra();
    s.GetBuffer(4);
    EXPECT_EQ(Text(s), "<C:");
    s.Empty();
    EXPECT_EQ(s.GetLength(), 0);
}
