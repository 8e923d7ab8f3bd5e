// Dropped URI lists and open-file dialog answers: the paths listed are those
// named. The input is the dropped list, and read as UTF-8 the dialog's answer.

#include "fuzz_check.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "support/open_file.h"
#include "window/dropped_files.h"

#include <vector>

using namespace tolvane;

namespace {

// A list read is absolute paths without NUL; written back it reads the same,
// and one entry that is not a local file turns the whole list down.
void checkDrop(std::string_view list) {
    const auto paths = 拖放的文件(list);
    if (!paths) return;
    std::string written = "# written back\r\n\r\n";
    for (const std::u16string& path : *paths) {
        check(path.starts_with(u'/') && path.find(u'\0') == std::u16string::npos, "clean paths");
        written += "file://";
        for (const char c : toUtf8(path)) {
            const auto byte = static_cast<unsigned char>(c);
            written += c == '/' ? "/"
                                : std::string{'%', "0123456789ABCDEF"[byte >> 4],
                                              "0123456789ABCDEF"[byte & 15]};
        }
        written += "\r\n";
    }
    check(拖放的文件(written) == paths, "a dropped list is read back");
    check(!拖放的文件(written + "http://example.org/a\r\n") &&
              !拖放的文件(written + "file://elsewhere/a\r\n"),
          "a foreign entry turns it down");
}

class AnsweringDialog : public OpenFileDialog {
  public:
    explicit AnsweringDialog(std::u16string answer) : answer_(std::move(answer)) {}
    bool getOpenFileName(OpenFileName& request) override {
        request.file = answer_ + std::u16string(2, u'\0');
        return true;
    }
    std::u16string answer_;
};

// Runs of separators count as one, separators at the end as none.
std::u16string normalPath(const std::u16string& path) {
    std::u16string normal;
    for (const char16_t c : path)
        if (c != u'/' || !normal.ends_with(u'/')) normal += c;
    if (normal.ends_with(u'/')) normal.pop_back();
    return normal;
}

ListValue answered(const std::u16string& answer, std::uint32_t flags) {
    AnsweringDialog dialog(answer);
    ListValue names;
    std::u16string title, filter = u"所有文件 (*.*)|*.*";
    bool readOnly = false;
    std::int32_t filterIndex = 1;
    check(RunOpenDialog(dialog, names, title, true, false, readOnly, true, filter, filterIndex, u"",
                        u"", u"", kNoOwner, flags),
          "a confirmed dialog is reported confirmed");
    return names;
}

// The block names "folder NUL name NUL ... NUL NUL", or "path NUL NUL".
void checkDialog(const std::u16string& answer) {
    const std::u16string ended = answer + std::u16string(2, u'\0');
    std::vector<std::u16string> parts{u""};
    for (const char16_t c : ended.substr(0, ended.find(std::u16string(2, u'\0'))))
        c == u'\0' ? parts.emplace_back() : parts.back() += c;
    std::vector<std::u16string> named{parts.size() == 1 ? normalPath(parts[0]) : u""};
    for (std::size_t i = 1; i < parts.size(); ++i)
        named.push_back(normalPath(joinPath(parts[0], parts[i])));
    std::vector<std::u16string> listed;
    for (const auto& path : 选中的文件(answered(answer, kOfnExplorer | kOfnAllowMultiSelect)))
        listed.push_back(normalPath(path));
    std::erase(named, u"");
    std::erase(listed, u"");
    check(listed == named, "the listed paths are those the answer names");
    check(parts.size() != 1 || answered(answer, kOfnExplorer) == ListValue(parts[0]),
          "one path comes back as its text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkDrop(bytes);
    checkDialog(fromUtf8(bytes));
    return 0;
}
