// The two ways files reach the source list, on any input.
//
// Dropped "text/uri-list": a list read is absolute paths without NUL; the
// paths written back as a list read back the same, and one entry that is not
// a file on this machine turns the whole list down.
// The open-file dialog's answer block (the input read as UTF-16), through a
// dialog that answers with it: the paths the window lists are exactly those
// the block names, and one path comes back as the text when one was asked for.

#include "platform/files.h"
#include "platform/utf8.h"
#include "support/open_file.h"
#include "window/dropped_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace tolvane;

void fail(const char* what) {
    std::fprintf(stderr, "file lists: %s\n", what);
    std::abort();
}

std::string percentEncoded(const std::u16string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : toUtf8(path)) {
        if (c == '/') {
            encoded += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        encoded += '%';
        encoded += kHex[byte >> 4];
        encoded += kHex[byte & 0xF];
    }
    return encoded;
}

void checkDrop(std::string_view list) {
    const auto paths = 拖放的文件(list);
    if (!paths) return;
    std::string written = "# written back\r\n\r\n";
    for (const std::u16string& path : *paths) {
        if (path.empty() || path.front() != u'/') fail("dropped path not absolute");
        if (path.find(u'\0') != std::u16string::npos) fail("dropped path holds NUL");
        written += "file://" + percentEncoded(path) + "\r\n";
    }
    if (拖放的文件(written) != paths) fail("dropped list not read back");
    if (拖放的文件(written + "http://example.org/a.txt\r\n")) fail("web address taken as a file");
    if (拖放的文件(written + "file://elsewhere/a.txt\r\n")) fail("another host's file taken");
}

class AnsweringDialog : public OpenFileDialog {
  public:
    explicit AnsweringDialog(std::u16string answer) : answer_(std::move(answer)) {}
    bool getOpenFileName(OpenFileName& request) override {
        request.file = answer_ + std::u16string(2, u'\0');
        return true;
    }

  private:
    std::u16string answer_;
};

// Equal as paths: runs of separators count as one, separators at the end as
// none (so the root alone names no file).
std::u16string normalPath(const std::u16string& path) {
    std::u16string normal;
    for (const char16_t c : path)
        if (c != u'/' || normal.empty() || normal.back() != u'/') normal += c;
    if (!normal.empty() && normal.back() == u'/') normal.pop_back();
    return normal;
}

// The pieces of an answer block, up to the NUL NUL that ends it.
std::vector<std::u16string> partsOf(const std::u16string& answer) {
    const std::u16string ended = answer + std::u16string(2, u'\0');
    const std::u16string block = ended.substr(0, ended.find(std::u16string(2, u'\0')));
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = block.find(u'\0', start)) != std::u16string::npos; start = end + 1)
        parts.push_back(block.substr(start, end - start));
    parts.push_back(block.substr(start));
    return parts;
}

// The paths named: "folder NUL name NUL ... NUL NUL", or "path NUL NUL".
std::vector<std::u16string> namedPaths(const std::vector<std::u16string>& parts) {
    std::vector<std::u16string> paths;
    if (parts.size() == 1) paths.push_back(normalPath(parts[0]));
    for (std::size_t i = 1; i < parts.size(); ++i)
        paths.push_back(normalPath(joinPath(parts[0], parts[i])));
    std::erase(paths, u"");
    return paths;
}

ListValue answered(const std::u16string& answer, std::uint32_t flags) {
    AnsweringDialog dialog(answer);
    ListValue names;
    std::u16string title;
    bool readOnly = false;
    std::u16string filter = u"所有文件 (*.*)|*.*";
    std::int32_t filterIndex = 1;
    if (!RunOpenDialog(dialog, names, title, true, false, readOnly, true, filter, filterIndex, u"",
                       u"", u"", kNoOwner, flags))
        fail("confirmed dialog reported as cancelled");
    return names;
}

void checkDialog(const std::u16string& answer) {
    const std::vector<std::u16string> parts = partsOf(answer);
    std::vector<std::u16string> listed;
    for (const std::u16string& path :
         选中的文件(answered(answer, kOfnExplorer | kOfnAllowMultiSelect)))
        listed.push_back(normalPath(path));
    std::erase(listed, u"");
    if (listed != namedPaths(parts)) fail("listed paths differ from the answer's");
    if (parts.size() == 1 && answered(answer, kOfnExplorer) != ListValue(parts[0]))
        fail("one path not returned as its text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkDrop({reinterpret_cast<const char*>(data), size});
    std::u16string answer(size / 2, u'\0');
    std::memcpy(answer.data(), data, answer.size() * 2);
    checkDialog(answer);
    return 0;
}
