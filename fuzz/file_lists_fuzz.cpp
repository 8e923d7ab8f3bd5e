// The two ways files reach the source list, on any input.
//
// Dropped "text/uri-list": a list read is absolute paths without NUL; the
// paths written back as a list read back the same, and one entry that is not
// a file on this machine turns the whole list down.
// The open-file dialog's answer block (the input read as UTF-16), through a
// dialog that answers with it: the paths the window lists are exactly those
// the block names, and one path comes back as the text when one was asked for.

#include "fuzz_check.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "support/open_file.h"
#include "window/dropped_files.h"

#include <vector>

using namespace tolvane;

namespace {

void checkDrop(std::string_view list) {
    const auto paths = 拖放的文件(list);
    if (!paths) return;
    std::string written = "# written back\r\n\r\n";
    for (const std::u16string& path : *paths) {
        check(path.starts_with(u'/'), "dropped paths are absolute");
        check(path.find(u'\0') == std::u16string::npos, "dropped paths hold no NUL");
        written += "file://";
        for (const char c : toUtf8(path)) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(c);
            written +=
                c == '/' ? std::string(1, c) : std::string{'%', kHex[byte >> 4], kHex[byte & 15]};
        }
        written += "\r\n";
    }
    check(拖放的文件(written) == paths, "a dropped list is read back");
    check(!拖放的文件(written + "http://example.org/a.txt\r\n"), "a web address turns it down");
    check(!拖放的文件(written + "file://elsewhere/a.txt\r\n"), "another host's file turns it down");
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
        if (c != u'/' || !normal.ends_with(u'/')) normal += c;
    if (normal.ends_with(u'/')) normal.pop_back();
    return normal;
}

ListValue answered(const std::u16string& answer, std::uint32_t flags) {
    AnsweringDialog dialog(answer);
    ListValue names;
    std::u16string title;
    bool readOnly = false;
    std::u16string filter = u"所有文件 (*.*)|*.*";
    std::int32_t filterIndex = 1;
    check(RunOpenDialog(dialog, names, title, true, false, readOnly, true, filter, filterIndex, u"",
                        u"", u"", kNoOwner, flags),
          "a confirmed dialog is reported confirmed");
    return names;
}

// The block names "folder NUL name NUL ... NUL NUL", or "path NUL NUL".
void checkDialog(const std::u16string& answer) {
    const std::u16string nulNul(2, u'\0');
    const std::u16string ended = answer + nulNul;
    const std::u16string block = ended.substr(0, ended.find(nulNul));
    std::vector<std::u16string> parts{u""};
    for (const char16_t c : block)
        if (c == u'\0')
            parts.emplace_back();
        else
            parts.back() += c;
    std::vector<std::u16string> named;
    if (parts.size() == 1) named.push_back(normalPath(parts[0]));
    for (std::size_t i = 1; i < parts.size(); ++i)
        named.push_back(normalPath(joinPath(parts[0], parts[i])));
    std::erase(named, u"");
    std::vector<std::u16string> listed;
    for (const std::u16string& path :
         选中的文件(answered(answer, kOfnExplorer | kOfnAllowMultiSelect)))
        listed.push_back(normalPath(path));
    std::erase(listed, u"");
    check(listed == named, "the listed paths are those the answer names");
    check(parts.size() != 1 || answered(answer, kOfnExplorer) == ListValue(parts[0]),
          "one path comes back as its text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkDrop({reinterpret_cast<const char*>(data), size});
    checkDialog(unitsOf(data, size));
    return 0;
}
