// The contract of tolvane.h: each call's failures, sizes at the edges, text
// cut inside a character, and files converted in place.

#include "c_api_support.h"
#include "platform/utf8.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace tolvane::testing {
namespace {

std::string utf16le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

std::string convertBuffer(const tolvane_table* table, const char* encoding,
                          const std::string& input, const char** read = nullptr) {
    std::string output(TOLVANE_OUTPUT_BOUND(input.size()), '\0');
    std::size_t size = 0;
    EXPECT_EQ(tolvane_convert_buffer(table, encoding, nullptr, input.data(), input.size(),
                                     output.data(), output.size(), &size, read, nullptr),
              TOLVANE_OK);
    return output.substr(0, size);
}

// The pieces' outputs one after the other.
std::string convertPieces(const tolvane_table* table, const char* encoding,
                          const std::vector<std::string>& pieces) {
    tolvane_stream* opened = nullptr;
    EXPECT_EQ(tolvane_stream_open(table, encoding, nullptr, &opened, nullptr), TOLVANE_OK);
    const OwnedStream stream(opened);
    std::string output;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const void* bytes = nullptr;
        std::size_t size = 0;
        EXPECT_EQ(tolvane_stream_convert(stream.get(), pieces[k].data(), pieces[k].size(),
                                         k + 1 == pieces.size(), &bytes, &size, nullptr),
                  TOLVANE_OK);
        output.append(static_cast<const char*>(bytes), size);
    }
    return output;
}

TEST(C接口, 每个调用的失败都有状态和说明且不改动结果) {
    const ScratchTable scratch;
    const OwnedTable table = scratch.open();
    const tolvane_table* t = table.get();
    const auto at = [&](const char* name) { return utf8Path(scratch.folder / name); };
    const std::string plain = "简体", hangul = "\xEA\xB0\x80"; // in UTF-8; GBK lacks 가
    writeBytes(scratch.folder / "二进制.bin", std::string("简\0体", 4));
    writeBytes(scratch.folder / "韩文.txt", hangul);
    const std::string binary = at("二进制.bin"), korean = at("韩文.txt"), missing = at("无.txt");
    const std::string folder = utf8Path(scratch.folder.path());
    char room[64];
    std::size_t size = 0;
    tolvane_table* opened = nullptr;
    tolvane_stream* stream = nullptr;
    const void* bytes = nullptr;
    tolvane_file_options toGbk{nullptr, "gbk", nullptr, nullptr};
    const OwnedStream ended([&] {
        tolvane_stream_open(t, "utf-8", nullptr, &stream, nullptr);
        tolvane_stream_convert(stream, "", 0, 1, &bytes, &size, nullptr);
        return std::exchange(stream, nullptr);
    }());

    struct Case {
        const char* call;
        std::function<tolvane_status(tolvane_error**)> run;
        tolvane_status status;
        std::int32_t number = 0;
    };
    const std::vector<Case> cases{
        {"open NULL", [&](auto e) { return tolvane_table_open(nullptr, 0, &opened, e); },
         TOLVANE_ERROR_ARGUMENT},
        {"open, unknown flag",
         [&](auto e) { return tolvane_table_open(scratch.path().c_str(), 2, &opened, e); },
         TOLVANE_ERROR_ARGUMENT},
        {"open, no such table", [&](auto e) { return tolvane_table_open("无此表", 0, &opened, e); },
         TOLVANE_ERROR_TABLE},
        {"list, no visitor", [&](auto e) { return tolvane_list_tables(nullptr, nullptr, e); },
         TOLVANE_ERROR_ARGUMENT},
        {"utf16, no input",
         [&](auto e) { return tolvane_convert_utf16(t, nullptr, 1, nullptr, e); },
         TOLVANE_ERROR_ARGUMENT},
        {"utf8, no output size",
         [&](auto e) { return tolvane_convert_utf8(t, "a", 1, room, 64, nullptr, e); },
         TOLVANE_ERROR_ARGUMENT},
        {"utf8, too little room",
         [&](auto e) { return tolvane_convert_utf8(t, plain.data(), 6, room, 5, &size, e); },
         TOLVANE_ERROR_SPACE},
        {"buffer, unknown encoding",
         [&](auto e) {
             return tolvane_convert_buffer(t, "ebcdic", nullptr, "a", 1, room, 64, &size, nullptr,
                                           e);
         },
         TOLVANE_ERROR_ENCODING},
        {"buffer, an output encoding that cannot hold it",
         [&](auto e) {
             return tolvane_convert_buffer(t, "utf-8", "gbk", hangul.data(), hangul.size(), room,
                                           64, &size, nullptr, e);
         },
         TOLVANE_ERROR_UNREPRESENTABLE},
        {"stream, unknown encoding",
         [&](auto e) { return tolvane_stream_open(t, "utf-7", nullptr, &stream, e); },
         TOLVANE_ERROR_ENCODING},
        {"stream, after its last piece",
         [&](auto e) { return tolvane_stream_convert(ended.get(), "a", 1, 1, &bytes, &size, e); },
         TOLVANE_ERROR_ARGUMENT},
        {"file missing",
         [&](auto e) { return tolvane_convert_file(t, missing.c_str(), nullptr, nullptr, e); },
         TOLVANE_ERROR_FILE, TOLVANE_FILE_NOT_FOUND},
        {"file, a folder",
         [&](auto e) { return tolvane_convert_file(t, folder.c_str(), nullptr, nullptr, e); },
         TOLVANE_ERROR_FILE, TOLVANE_FILE_PERMISSION_DENIED},
        {"file, not text",
         [&](auto e) { return tolvane_convert_file(t, binary.c_str(), nullptr, nullptr, e); },
         TOLVANE_ERROR_NOT_TEXT},
        {"file, an output encoding that cannot hold it",
         [&](auto e) { return tolvane_convert_file(t, korean.c_str(), &toGbk, nullptr, e); },
         TOLVANE_ERROR_UNREPRESENTABLE},
    };
    for (const Case& c : cases) {
        tolvane_error* failure = nullptr;
        EXPECT_EQ(c.run(&failure), c.status) << c.call;
        const OwnedError error(failure);
        EXPECT_EQ(tolvane_error_code(error.get()), c.status) << c.call;
        EXPECT_EQ(tolvane_error_number(error.get()), c.number) << c.call;
        EXPECT_STRNE(tolvane_error_message(error.get()), "") << c.call;
        EXPECT_EQ(c.run(nullptr), c.status) << c.call << ", without an error asked for";
    }
    EXPECT_EQ(opened, nullptr);
    EXPECT_EQ(stream, nullptr);
    // The files are as they were, and no backup folder is left.
    EXPECT_EQ(readBytes(scratch.folder / "韩文.txt"), hangul);
    EXPECT_EQ(readBytes(scratch.folder / "二进制.bin"), std::string("简\0体", 4));
    EXPECT_FALSE(testing::exists(scratch.folder / "~Vebzo01.bak"));
}

TEST(C接口, 大小的边界) {
    const ScratchTable scratch;
    const OwnedTable table = scratch.open();
    std::size_t size = 99;
    EXPECT_EQ(tolvane_convert_utf16(table.get(), nullptr, 0, nullptr, nullptr), TOLVANE_OK);
    EXPECT_EQ(tolvane_convert_utf8(table.get(), nullptr, 0, nullptr, 0, &size, nullptr),
              TOLVANE_OK);
    EXPECT_EQ(size, 0U);

    const std::string text = toUtf8(u"简体"), converted = toUtf8(u"簡體");
    std::string room(text.size(), '\0');
    for (const std::size_t capacity : {std::size_t{0}, text.size() - 1}) {
        size = 0;
        EXPECT_EQ(tolvane_convert_utf8(table.get(), text.data(), text.size(),
                                       capacity == 0 ? nullptr : room.data(), capacity, &size,
                                       nullptr),
                  TOLVANE_ERROR_SPACE);
        EXPECT_EQ(size, converted.size()) << "the size needed, with room for " << capacity;
    }
    EXPECT_EQ(tolvane_convert_utf8(table.get(), text.data(), text.size(), room.data(), room.size(),
                                   &size, nullptr),
              TOLVANE_OK);
    EXPECT_EQ(room, converted);
}

TEST(C接口, 字符在片段中间被截断) {
    const ScratchTable scratch;
    const OwnedTable table = scratch.open();
    // A whole text cut off inside a character keeps that character's bytes.
    const std::string cut = toUtf8(u"简体").substr(0, 5);
    EXPECT_EQ(convertBuffer(table.get(), "utf-8", cut), toUtf8(u"簡") + cut.substr(3));

    // A stream cut anywhere, inside a character or a phrase, gives the whole text's result;
    // the converter's own tests cut every encoding.
    const std::string text = toUtf8(u"a复制简体"), converted = toUtf8(u"a複製簡體");
    for (std::size_t at = 0; at <= text.size(); ++at)
        EXPECT_EQ(convertPieces(table.get(), "utf-8", {text.substr(0, at), text.substr(at)}),
                  converted)
            << "cut at " << at;
}

TEST(C接口, 词组和编码的判断) {
    const ScratchTable scratch;
    const OwnedTable phrases = scratch.open();
    EXPECT_EQ(tolvane_table_phrases(phrases.get()), 1U);
    EXPECT_EQ(tolvane_table_path(phrases.get()), scratch.path());
    // Converted in place: the output may be the input.
    std::u16string text = u"复制简体";
    auto* units = reinterpret_cast<std::uint16_t*>(text.data());
    ASSERT_EQ(tolvane_convert_utf16(phrases.get(), units, text.size(), units, nullptr), TOLVANE_OK);
    EXPECT_EQ(text, u"複製簡體");

    // "auto" as for a file: a byte-order mark decides and stays; valid UTF-8 beyond ASCII
    // is UTF-8; anything else GBK.
    struct Case {
        std::string input, output;
        const char* encoding;
    };
    for (const Case& c :
         {Case{toUtf8(u"简"), toUtf8(u"簡"), "UTF-8"}, Case{gbk(u"简"), gbk(u"簡"), "GBK"},
          Case{"\xFF\xFE" + utf16le(u"简"), "\xFF\xFE" + utf16le(u"簡"), "UTF-16LE"}}) {
        const char* read = nullptr;
        EXPECT_EQ(convertBuffer(phrases.get(), nullptr, c.input, &read), c.output) << c.encoding;
        EXPECT_STREQ(read, c.encoding);
    }
    // A stream decides once its first MiB or its end has arrived.
    tolvane_stream* opened = nullptr;
    ASSERT_EQ(tolvane_stream_open(phrases.get(), "auto", nullptr, &opened, nullptr), TOLVANE_OK);
    const OwnedStream stream(opened);
    const std::string head = gbk(u"简"), tail(std::size_t{1} << 20, 'a');
    const void* bytes = nullptr;
    std::size_t size = 1;
    tolvane_stream_convert(stream.get(), head.data(), head.size(), 0, &bytes, &size, nullptr);
    EXPECT_EQ(size, 0U);
    EXPECT_EQ(tolvane_stream_encoding(stream.get()), nullptr);
    tolvane_stream_convert(stream.get(), tail.data(), tail.size(), 0, &bytes, &size, nullptr);
    EXPECT_STREQ(tolvane_stream_encoding(stream.get()), "GBK");
    EXPECT_EQ(std::string(static_cast<const char*>(bytes), gbk(u"簡").size()), gbk(u"簡"));

    writeBytes(scratch.folder / "空.txt", "a b\n");
    tolvane_table* empty = nullptr;
    ASSERT_EQ(tolvane_table_open(utf8Path(scratch.folder / "空.txt").c_str(), 0, &empty, nullptr),
              TOLVANE_OK);
    EXPECT_EQ(tolvane_table_maps_nothing(OwnedTable(empty).get()), 1);
    EXPECT_EQ(tolvane_table_maps_nothing(phrases.get()), 0);
}

TEST(C接口, 文件在原处转换且每个文件有各自的结果) {
    const ScratchTable scratch;
    const OwnedTable table = scratch.open();
    const auto at = [&](const char* name) {
        return utf8Path((scratch.folder / name).make_preferred());
    };
    writeBytes(scratch.folder / "甲.txt", gbk(u"复制"));
    writeBytes(scratch.folder / "乙.txt", toUtf8(u"简体"));
    writeBytes(scratch.folder / "丙.bin", std::string("\0", 1));
    const std::vector<std::string> names{at("甲.txt"), at("无.txt"), at("丙.bin"), at("乙.txt")};
    std::vector<const char*> paths{names[0].c_str(), names[1].c_str(), nullptr, names[2].c_str(),
                                   names[3].c_str()};
    std::vector<tolvane_file_result> results(paths.size());
    std::vector<tolvane_error*> errors(paths.size());
    EXPECT_EQ(tolvane_convert_files(table.get(), paths.data(), paths.size(), nullptr,
                                    results.data(), errors.data()),
              TOLVANE_ERROR_FILE);
    const std::vector<tolvane_status> statuses{
        TOLVANE_OK, TOLVANE_ERROR_FILE, TOLVANE_ERROR_ARGUMENT, TOLVANE_ERROR_NOT_TEXT, TOLVANE_OK};
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const OwnedError error(errors[k]);
        EXPECT_EQ(results[k].status, statuses[k]) << k;
        EXPECT_EQ(tolvane_error_code(error.get()), statuses[k]) << k;
    }
    EXPECT_EQ(readBytes(scratch.folder / "甲.txt"), gbk(u"複製"));
    EXPECT_EQ(readBytes(scratch.folder / "~Vebzo01.bak/甲.txt"), gbk(u"复制"));
    EXPECT_STREQ(results[0].encoding, "GBK");
    EXPECT_EQ(results[0].backup_path, at("~Vebzo01.bak/甲.txt"));
    EXPECT_STREQ(results[1].backup_path, "");

    // Told to stop: the file at hand goes back, the ones after it are not touched.
    const tolvane_file_options stop{nullptr, nullptr, [](void*) { return 1; }, nullptr};
    const char* again[] = {names[0].c_str(), names[3].c_str()};
    EXPECT_EQ(tolvane_convert_files(table.get(), again, 2, &stop, results.data(), nullptr),
              TOLVANE_ERROR_STOPPED);
    EXPECT_EQ(results[1].status, TOLVANE_ERROR_STOPPED);
    EXPECT_EQ(readBytes(scratch.folder / "甲.txt"), gbk(u"複製"));
    EXPECT_FALSE(testing::exists(scratch.folder / "~Vebzo02.bak"));
}

} // namespace
} // namespace tolvane::testing
