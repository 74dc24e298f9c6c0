// The text family's growth rule, substrings, comparison, conversion and packed list.
#include <gtest/gtest.h>

#include <string>

#include "text/text_buffer.h"

namespace {

std::string text(const TextBuffer& buffer)
{
    return std::string(buffer.chars, static_cast<size_t>(buffer.length));
}

} // namespace

TEST(TextBuffer, EmptyFormsHoldEightCharactersAndAZero)
{
    TextBuffer plain;
    TextBuffer fromNull(nullptr, -1);
    for (TextBuffer* buffer : {&plain, &fromNull}) {
        EXPECT_EQ(buffer->length, 0);
        EXPECT_EQ(buffer->capacity, 8);
        EXPECT_EQ(buffer->chars[0], 0);
    }
}

TEST(TextBuffer, GrowthRuleCapacities)
{
    struct Case { bool textRule; int32_t from; int32_t request; int32_t capacity; };
    const Case cases[] = {
        {false, 0, 0, 0},   {false, 0, 1, 8},     {false, 0, 8, 8},    {false, 0, 9, 16},
        {false, 0, 17, 24}, {false, 0, 100, 104}, {false, 16, 40, 48},
        {true, 0, 7, 8},    {true, 0, 8, 16},     {true, 0, 16, 24},   {true, 0, 100, 112},
        {true, 0, 1024, 1032},
    };
    for (const Case& c : cases) {
        if (c.textRule) {
            TextBuffer buffer;
            buffer.SetLength(c.request);
            EXPECT_EQ(buffer.capacity, c.capacity) << "text rule, request " << c.request;
            EXPECT_EQ(buffer.chars[c.request], 0);
        } else {
            ByteArray bytes(nullptr, 0);
            if (c.from > 0)
                bytes.SetLength(c.from);
            bytes.SetLength(c.request);
            EXPECT_EQ(bytes.capacity, c.capacity) << "raw rule, from " << c.from << " request " << c.request;
            EXPECT_EQ(bytes.chars == nullptr, c.capacity == 0);
        }
    }
}

TEST(TextBuffer, AppendingOneByOneReallocatesAtEightSixteenThirtyTwo)
{
    TextBuffer buffer;
    std::string seen;
    int32_t last = buffer.capacity;
    for (int i = 0; i < 40; ++i) {
        buffer.Append("x", 1);
        if (buffer.capacity != last) {
            seen += std::to_string(buffer.length) + ">" + std::to_string(buffer.capacity) + " ";
            last = buffer.capacity;
        }
    }
    EXPECT_EQ(seen, "8>16 16>32 32>64 ");
}

TEST(TextBuffer, ShorterLengthKeepsStorageAndMovesTheZero)
{
    TextBuffer buffer("abcdefghijkl");
    int32_t capacity = buffer.capacity;
    buffer.SetLength(3);
    EXPECT_EQ(buffer.capacity, capacity);
    EXPECT_STREQ(buffer.CStr(), "abc");
}

TEST(TextBuffer, Substrings)
{
    TextBuffer empty;
    TextBuffer abc("abc");
    EXPECT_EQ(text(empty.Right(1)), "");
    EXPECT_EQ(text(abc.Right(5)), "abc");
    EXPECT_EQ(text(abc.Right(1)), "c");
    EXPECT_EQ(text(abc.Mid(5)), "");
    EXPECT_EQ(text(abc.Mid(1, 10)), "bc");
    EXPECT_EQ(text(abc.Mid(1, 1)), "b");
    EXPECT_EQ(text(abc.Left(0)), "");
    EXPECT_EQ(text(abc.Left(2)), "ab");
    EXPECT_GE(abc.Mid(5).capacity, 8);
}

TEST(TextBuffer, DeleteAndInsertGap)
{
    TextBuffer buffer("abcdef");
    buffer.Delete(6, 2);
    EXPECT_EQ(text(buffer), "abcdef");
    buffer.Delete(1, 2);
    EXPECT_EQ(text(buffer), "adef");
    buffer.Delete(2, 10);
    EXPECT_EQ(text(buffer), "ad");
    char* gap = buffer.InsertGap(1, 2);
    gap[0] = 'x';
    gap[1] = 'y';
    EXPECT_EQ(text(buffer), "axyd");
    EXPECT_EQ(buffer.chars[buffer.length], 0);
}

TEST(TextBuffer, CompareAndConcat)
{
    TextBuffer abc("abc");
    EXPECT_EQ(abc.Compare("abc"), 0);
    EXPECT_EQ(TextBuffer().Compare(nullptr), 0);
    EXPECT_LT(TextBuffer("ab").Compare("abc"), 0);
    EXPECT_GT(abc.Compare("ab"), 0);
    EXPECT_EQ(text(Concat(abc, "de")), "abcde");
    EXPECT_EQ(text(Concat("de", abc)), "deabc");
    EXPECT_EQ(text(Concat(abc, nullptr)), "abc");
    EXPECT_EQ(text(Concat(TextView("xy", 1), abc)), "xabc");
}

TEST(TextBuffer, ContainsChar)
{
    for (char c : std::string("csie"))
        EXPECT_TRUE(ContainsChar("csie", c));
    EXPECT_FALSE(ContainsChar("csie", 'x'));
    EXPECT_FALSE(ContainsChar("", 'c'));
}

TEST(TextBuffer, CodePageConversion)
{
    TextBuffer narrow("keep");
    const uint16_t units[] = {'h', 'i', 0};
    narrow.AssignFromWide(units, 0);
    EXPECT_EQ(narrow.length, 0);
    narrow.AssignFromWide(units, 2);
    EXPECT_EQ(text(narrow), "hi");
    narrow.AssignFromWide(units, -1);
    EXPECT_EQ(narrow.length, 3) << "a measured source counts its terminator";

    WideTextBuffer wide;
    wide.AssignFromNarrow("abc", -1);
    EXPECT_EQ(wide.length, 4);
    EXPECT_EQ(wide.chars[0], 'a');
    EXPECT_EQ(wide.chars[3], 0);
    wide.AssignFromNarrow(nullptr, -1);
    EXPECT_EQ(wide.length, 0);
}

TEST(TextList, PacksTextsWithOffsets)
{
    TextList list;
    EXPECT_EQ(list.values, nullptr);
    list.Add("a");
    list.Add("");
    list.Add("bc");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.block.length, 6);
    EXPECT_EQ(list.values[0], 0);
    EXPECT_EQ(list.values[1], 2);
    EXPECT_EQ(list.values[2], 3);
    EXPECT_STREQ(list.Item(2), "bc");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_GT(list.block.capacity, 0);
}

TEST(TextCompare, IgnoringCase)
{
    EXPECT_TRUE(equalsIgnoringCase("/TEST", "/test"));
    EXPECT_FALSE(equalsIgnoringCase("/tests", "/test"));
    EXPECT_TRUE(startsWithIgnoringCase("OPTION -x", "option", 6));
    EXPECT_FALSE(startsWithIgnoringCase("opt", "option", 6));
}
