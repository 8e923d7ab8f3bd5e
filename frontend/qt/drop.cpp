#include "frontend/qt/drop.h"

#include "window/dropped_files.h"

namespace tolvane::qt {

namespace {

// The list is read from its raw bytes rather than from Qt's URLs, so that a
// path reaches the program as its own bytes and the rules for what counts as
// a local file are the program's.
std::optional<std::vector<std::u16string>> droppedFiles(const QMimeData& data) {
    const QByteArray list = data.data(QStringLiteral("text/uri-list"));
    return 拖放的文件(std::string_view(list.constData(), static_cast<std::size_t>(list.size())));
}

} // namespace

bool MimeDropData::hasFileList() const {
    return droppedFiles(data_).has_value();
}

std::vector<std::u16string> MimeDropData::files() const {
    return droppedFiles(data_).value_or(std::vector<std::u16string>{});
}

} // namespace tolvane::qt
