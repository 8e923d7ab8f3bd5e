#pragma once
// The C interface as a C program meets it: a table of our own in a scratch
// folder, and handles that free themselves.

#include "tests/common/scratch_folder.h"
#include "platform/codepage.h"
#include "tolvane.h"

#include <memory>
#include <string>

namespace tolvane::testing {

struct ErrorFree {
    void operator()(tolvane_error* error) const { tolvane_error_free(error); }
};
struct TableFree {
    void operator()(tolvane_table* table) const { tolvane_table_free(table); }
};
struct StreamFree {
    void operator()(tolvane_stream* stream) const { tolvane_stream_free(stream); }
};
using OwnedError = std::unique_ptr<tolvane_error, ErrorFree>;
using OwnedTable = std::unique_ptr<tolvane_table, TableFree>;
using OwnedStream = std::unique_ptr<tolvane_stream, StreamFree>;

inline std::string gbk(std::u16string_view text) {
    const std::vector<std::uint8_t> bytes = encodeAnsi(text);
    return {bytes.begin(), bytes.end()};
}

inline std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// 简体 and the characters of 复制 by character, 复制 as a phrase, and "~",
// which grows from one byte to a character of three in UTF-8.
class ScratchTable {
  public:
    ScratchTable() {
        writeBytes(folder / "表.txt", gbk(u"简 簡\r\n体 體\r\n复 復\r\n~ 簡\r\n"));
        std::filesystem::create_directory(folder / "词组");
        writeBytes(folder / "词组/表.txt", gbk(u"复制 複製\r\n"));
    }
    std::string path() const { return utf8Path(folder / "表.txt"); }
    OwnedTable open(unsigned flags = 0) const {
        tolvane_table* table = nullptr;
        if (tolvane_table_open(path().c_str(), flags, &table, nullptr) != TOLVANE_OK)
            throw std::runtime_error("the scratch table does not open");
        return OwnedTable(table);
    }

    ScratchFolder folder;
};

} // namespace tolvane::testing
