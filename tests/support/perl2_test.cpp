#include "platform/error.h"
#include "support/perl2.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

ListValue texts(std::initializer_list<std::u16string> pieces, std::int32_t lower = 0) {
    return ListValue::list(std::vector<ListValue>(pieces.begin(), pieces.end()), lower);
}

TEST(Perl2Split, 按上限切开) {
    const std::tuple<std::u16string, std::u16string, std::int32_t, ListValue> cases[] = {
        {u"\\", u"a\\\\b", -1, texts({u"a", u"", u"b"})},
        {u"/", u"abc", -1, texts({u"abc"})},
        {u"/", u"", -1, texts({u""})},
        {std::u16string(2, u'\0'), std::u16string(u"dir\0a\0b\0\0\0\0", 11), 2,
         texts({std::u16string(u"dir\0a\0b", 7), std::u16string(2, u'\0')})}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [separator, text, limit, pieces] = cases[i];
        EXPECT_EQ(Split(separator, text, limit), pieces) << "case " << i;
    }
}

// How the program takes a path apart: Split at the separator, Pop the name, Join the rest.
struct PathRow {
    std::u16string path;
    std::int32_t limit;
    ListValue name;
    std::u16string rest;
};

// The separator is written "\" in the rows and replaced by the one under test.
std::u16string withSeparator(std::u16string text, char16_t separator) {
    std::replace(text.begin(), text.end(), u'\\', separator);
    return text;
}

TEST(Perl2路径, 表中各行对两种分隔符都成立) {
    const PathRow rows[] = {{u"C:\\dir\\a.txt", -1, u"a.txt", u"C:\\dir"},
                            {u"C:\\dir\\a.txt", 0, u"a.txt", u"C:\\dir"},
                            {u"C:\\a.txt", 0, u"a.txt", u"C:"},
                            {u"a.txt", -1, u"a.txt", u""},
                            {u"C:\\dir\\", -1, u"", u"C:\\dir"},
                            {u"C:\\dir\\", 0, u"dir", u"C:"},
                            {u"\\\\host\\share\\a.txt", 0, u"a.txt", u"\\\\host\\share"},
                            {u"", -1, u"", u""},
                            {u"", 0, ListValue(), u""}};
    for (const char16_t separator : {u'/', u'\\'}) {
        for (const PathRow& row : rows) {
            SCOPED_TRACE(testing::Message() << "row " << (&row - rows) << " separator "
                                            << static_cast<char>(separator));
            const std::u16string sep(1, separator);
            ListValue fields = Split(sep, withSeparator(row.path, separator), row.limit);
            const ListValue name = Pop(fields);
            EXPECT_EQ(name.kind(), row.name.kind());
            EXPECT_EQ(name.text(), withSeparator(row.name.text(), separator));
            EXPECT_EQ(Join(sep, fields).text(), withSeparator(row.rest, separator));
        }
    }
    ListValue fields = Split(u"/", u"a.txt", 0);
    Pop(fields);
    EXPECT_TRUE(Join(u"/", fields).isEmpty());
}

} // namespace
} // namespace tolvane
