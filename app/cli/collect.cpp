#include "app/cli/collect.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace tolvane::cli {

namespace fs = std::filesystem;

namespace {

// A path of the file system and the program's UTF-8 text. Linux names are the
// bytes themselves; Windows names are UTF-16, written with "\" throughout so
// that a name's folder is found whichever separator the user typed.
fs::path pathOf(const std::string& utf8) {
#ifdef _WIN32
    return fs::path(fromUtf8(utf8)).make_preferred();
#else
    return {utf8};
#endif
}

std::string textOf(const fs::path& path) {
#ifdef _WIN32
    return toUtf8(path.u16string());
#else
    return path.native();
#endif
}

// ~Vebzo01.bak, ~Vebzo02.bak ...: they hold what earlier runs replaced.
bool isBackupFolder(const std::string& name) {
    return name.starts_with("~Vebzo") && name.ends_with(".bak");
}

Item itemAt(const fs::path& path) {
    std::error_code ignored;
    const std::uintmax_t size = fs::file_size(path, ignored);
    return {fromUtf8(textOf(path)), ignored ? 0 : size};
}

class Collector {
  public:
    Collector(bool recursive, Console& console) : recursive_(recursive), console_(console) {}

    void add(const std::string& argument) {
        const std::u16string path = fromUtf8(argument);
        switch (pathKind(path)) {
        case PathKind::Missing:
            fail("文件“" + argument + "”不存在");
            break;
        case PathKind::File:
            result_.items.push_back(itemAt(pathOf(argument)));
            break;
        case PathKind::Folder:
            if (recursive_) {
                walk(pathOf(argument));
            } else {
                fail(argument + ": 是文件夹，已跳过（用 -r 转换其中的文件）");
            }
            break;
        }
    }

    Collection take() {
        if (skippedLinks_ > 0)
            console_.warn("已跳过 " + std::to_string(skippedLinks_) +
                          " 个符号链接（-r 不跟随链接）");
        return std::move(result_);
    }

  private:
    void walk(const fs::path& folder) {
        std::error_code error;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error))
            entries.push_back(*it);
        if (error) {
            fail(textOf(folder) + ": " + toUtf8(systemError(error.value()).description()));
            return;
        }
        std::ranges::sort(entries, {}, [](const fs::directory_entry& e) { return e.path(); });
        for (const fs::directory_entry& entry : entries)
            visit(entry);
    }

    // Links are not followed: a linked folder could lead in a circle or out of
    // the tree, and a linked file would be replaced by a plain copy. Temporary
    // files left by a conversion that was killed are no one's text.
    void visit(const fs::directory_entry& entry) {
        std::error_code error;
        const fs::file_status status = entry.symlink_status(error);
        if (fs::is_symlink(status)) {
            ++skippedLinks_;
        } else if (fs::is_directory(status)) {
            if (!isBackupFolder(textOf(entry.path().filename()))) walk(entry.path());
        } else if (fs::is_regular_file(status) &&
                   !isTemporaryFileName(fromUtf8(textOf(entry.path().filename())))) {
            result_.items.push_back(itemAt(entry.path()));
        }
    }

    void fail(const std::string& message) {
        console_.fail(message);
        result_.failed = true;
    }

    bool recursive_;
    Console& console_;
    int skippedLinks_ = 0;
    Collection result_;
};

} // namespace

Collection collectItems(const std::vector<std::string>& arguments, bool recursive,
                        Console& console) {
    Collector collector(recursive, console);
    for (const std::string& argument : arguments)
        collector.add(argument);
    return collector.take();
}

} // namespace tolvane::cli
