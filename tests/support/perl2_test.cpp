#include "platform/error.h"
#include "support/perl2.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

ListValue texts(std::initializer_list<std::u16string> pieces, std::int32_t lower = 0) {
    return ListValue::list(std::vector<ListValue>(pieces.begin(), pieces.end()), lower);
}

const ListValue kEmpty;

TEST(Perl2Split, 空片段按上限保留或去掉) {
    EXPECT_EQ(Split(u"\\", u"a\\\\b", -1), texts({u"a", u"", u"b"}));
    EXPECT_EQ(Split(u"\\", u"a\\\\b", 0), texts({u"a", u"", u"b"}));
    EXPECT_EQ(Split(u"\\", u"a\\b\\\\", 0), texts({u"a", u"b"}));
    EXPECT_EQ(Split(u"\\", u"\\\\", -1), texts({u"", u"", u""}));
    const ListValue none = Split(u"\\", u"\\\\", 0);
    EXPECT_TRUE(none.isList());
    EXPECT_FALSE(IsNonEmptyArray(none));
}

TEST(Perl2Split, 正上限给出恰好那么多元素) {
    EXPECT_EQ(Split(u"\\", u"a\\b\\c", 2), texts({u"a", u"b\\c"}));
    EXPECT_EQ(Split(u"\\", u"abc", 3), ListValue::list({u"abc", kEmpty, kEmpty}));
    EXPECT_EQ(Split(u"\\", u"a\\b", 1), texts({u"a\\b"}));
}

TEST(Perl2Split, 空分隔符逐字切开) {
    EXPECT_EQ(Split(u"", u"abc", -1), texts({u"a", u"b", u"c"}));
    EXPECT_EQ(Split(u"", u"abc", 2), texts({u"a", u"bc"}));
    EXPECT_TRUE(Split(u"", u"", -1).isEmpty());
    EXPECT_TRUE(Split(u"", u"", 0).isEmpty());
}

TEST(Perl2Split, 多字符分隔符与找不到分隔符) {
    const std::u16string answer{u"dir\0a\0b\0\0\0\0", 11};
    EXPECT_EQ(Split(std::u16string(2, u'\0'), answer, 2)[0],
              ListValue(std::u16string(u"dir\0a\0b", 7)));
    EXPECT_EQ(Split(u"/", u"abc", -1), texts({u"abc"}));
    EXPECT_EQ(Split(u"/", u"", -1), texts({u""}));
}

TEST(Perl2Join, 展平后连接) {
    EXPECT_EQ(Join(u"\\", texts({u"C:", u"dir"}), u"name"), ListValue(u"C:\\dir\\name"));
    EXPECT_EQ(Join(u"-", u"a", ListValue::list({texts({u"b", u"c"})}), 2.5),
              ListValue(u"a-b-c-2.5"));
    EXPECT_TRUE(Join(u"\\").isEmpty());
    EXPECT_TRUE(Join(u"\\", texts({}), ListValue::released()).isEmpty());
}

TEST(Perl2JoinNested, 内层用内分隔符) {
    const ListValue nested = ListValue::list({u"a", texts({u"b", u"c"})});
    EXPECT_EQ(JoinNested(u", ", nested, u"+"), ListValue(u"a, b+c"));
    EXPECT_EQ(JoinNested(u", ", u"x", u"+"), ListValue(u"x"));
    EXPECT_TRUE(JoinNested(u", ", kEmpty, u"+").isEmpty());
}

TEST(Perl2Pop, 一个元素后释放) {
    ListValue list = texts({u"only"});
    EXPECT_EQ(Pop(list), ListValue(u"only"));
    EXPECT_FALSE(IsNonEmptyArray(list));
    EXPECT_EQ(list.kind(), ListValue::Kind::Released);
    EXPECT_TRUE(Join(u"\\", list).isEmpty());
    EXPECT_TRUE(Pop(list).isEmpty());
}

TEST(Perl2Pop, 标量变为空) {
    ListValue scalar = u"text";
    EXPECT_TRUE(Pop(scalar).isEmpty());
    EXPECT_TRUE(scalar.isEmpty());
}

TEST(Perl2Pop, 保留下界) {
    ListValue list = texts({u"a", u"b", u"c"}, 3);
    EXPECT_EQ(Pop(list), ListValue(u"c"));
    EXPECT_EQ(list, texts({u"a", u"b"}));
}

TEST(Perl2PushUnshift, 空变量上先推后插) {
    ListValue list;
    Push(list, u"x");
    Unshift(list, u"d");
    EXPECT_EQ(list, texts({u"d", u"x"}));
}

TEST(Perl2PushUnshift, 展平并保留下界) {
    ListValue list = ListValue::list({u"b", texts({u"c"})}, 5);
    Unshift(list, texts({u"a"}));
    EXPECT_EQ(list, texts({u"a", u"b", u"c"}));
    Push(list, texts({u"d", u"e"}), u"f");
    EXPECT_EQ(ElementCount(list), 6);
    EXPECT_EQ(list[5], ListValue(u"f"));
}

TEST(Perl2PushOne, 保留下界并嵌套列表) {
    ListValue list = texts({u"a", u"b", u"c"}, 3);
    EXPECT_EQ(ElementCount(list), 3);
    PushOne(list, texts({u"n"}));
    EXPECT_EQ(list.lowerBound(), 3);
    EXPECT_EQ(list.upperBound(), 6);
    EXPECT_EQ(list[6], texts({u"n"}));
}

TEST(Perl2PushOne, 上界越出范围是溢出错误) {
    ListValue list = ListValue::list({u"a"}, std::numeric_limits<std::int32_t>::max());
    try {
        PushOne(list, u"b");
        FAIL() << "no overflow";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kOverflow);
    }
    EXPECT_EQ(ElementCount(list), 1);
}

TEST(Perl2Flatten, 深度优先且丢掉空列表) {
    const ListValue nested =
        ListValue::list({u"a", ListValue::list({texts({}), u"b", texts({u"c"})}), 1.0});
    EXPECT_EQ(Flatten(nested), ListValue::list({u"a", u"b", u"c", 1.0}));
    EXPECT_TRUE(Flatten(u"scalar").isEmpty());
    EXPECT_TRUE(Flatten(ListValue::list({texts({})})).isEmpty());
}

TEST(Perl2IsNonEmptyArray, 只有有元素的列表算数) {
    EXPECT_FALSE(IsNonEmptyArray(kEmpty));
    EXPECT_FALSE(IsNonEmptyArray(u"a"));
    EXPECT_FALSE(IsNonEmptyArray(texts({})));
    EXPECT_FALSE(IsNonEmptyArray(ListValue::released()));
    EXPECT_TRUE(IsNonEmptyArray(texts({u""})));
    EXPECT_EQ(ElementCount(u"a"), 0);
}

TEST(Perl2ListValue, 读作文本) {
    EXPECT_EQ(kEmpty.text(), u"");
    EXPECT_EQ(ListValue(3.0).text(), u"3");
    EXPECT_EQ(ListValue::released().text(), u"");
    EXPECT_THROW((void)texts({u"a"}).text(), Error);
    EXPECT_THROW((void)texts({u"a"})[1], Error);
}

struct PathRow {
    std::u16string path;
    std::int32_t limit;
    std::vector<std::u16string> fields;
    ListValue popped;
    std::u16string rest;
};

// The separator is written "\" in the rows and replaced by the one under test.
std::u16string withSeparator(std::u16string text, char16_t separator) {
    for (char16_t& c : text)
        if (c == u'\\') c = separator;
    return text;
}

void checkPathRow(const PathRow& row, char16_t separator) {
    const std::u16string sep(1, separator);
    ListValue fields = Split(sep, withSeparator(row.path, separator), row.limit);
    std::vector<ListValue> expected;
    for (const auto& field : row.fields)
        expected.emplace_back(withSeparator(field, separator));
    EXPECT_EQ(fields.elements(), expected) << "fields";
    const ListValue popped = Pop(fields);
    EXPECT_EQ(popped.kind(), row.popped.kind());
    EXPECT_EQ(popped.text(), withSeparator(row.popped.text(), separator));
    EXPECT_EQ(Join(sep, fields).text(), withSeparator(row.rest, separator));
}

TEST(Perl2路径, 表中各行对两种分隔符都成立) {
    const std::vector<PathRow> rows = {
        {u"C:\\dir\\a.txt", -1, {u"C:", u"dir", u"a.txt"}, u"a.txt", u"C:\\dir"},
        {u"C:\\dir\\a.txt", 0, {u"C:", u"dir", u"a.txt"}, u"a.txt", u"C:\\dir"},
        {u"C:\\a.txt", -1, {u"C:", u"a.txt"}, u"a.txt", u"C:"},
        {u"C:\\a.txt", 0, {u"C:", u"a.txt"}, u"a.txt", u"C:"},
        {u"a.txt", -1, {u"a.txt"}, u"a.txt", u""},
        {u"a.txt", 0, {u"a.txt"}, u"a.txt", u""},
        {u"C:\\dir\\", -1, {u"C:", u"dir", u""}, u"", u"C:\\dir"},
        {u"C:\\dir\\", 0, {u"C:", u"dir"}, u"dir", u"C:"},
        {u"\\\\host\\share\\a.txt",
         -1,
         {u"", u"", u"host", u"share", u"a.txt"},
         u"a.txt",
         u"\\\\host\\share"},
        {u"\\\\host\\share\\a.txt",
         0,
         {u"", u"", u"host", u"share", u"a.txt"},
         u"a.txt",
         u"\\\\host\\share"},
        {u"", -1, {u""}, u"", u""},
        {u"", 0, {}, ListValue(), u""},
    };
    for (const char16_t separator : {u'/', u'\\'}) {
        for (const PathRow& row : rows) {
            SCOPED_TRACE(testing::Message() << "row " << (&row - rows.data()) << " separator "
                                            << static_cast<char>(separator));
            checkPathRow(row, separator);
        }
    }
}

TEST(Perl2路径, 单个文件名弹出后连接为空值) {
    ListValue fields = Split(u"/", u"a.txt", 0);
    Pop(fields);
    EXPECT_TRUE(Join(u"/", fields).isEmpty());
}

} // namespace
} // namespace tolvane
