#include "frontend/qt/drop.h"

#include "platform/utf8.h"

#include <QUrl>
#include <algorithm>

namespace tolvane::qt {

namespace {

// The path's own bytes, decoded as the rest of the program decodes file
// names, so a name that is not valid UTF-8 still reaches the same file.
std::u16string localPath(const QUrl& url) {
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return fromUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

bool MimeDropData::hasFileList() const {
    const QList<QUrl> urls = data_.urls();
    return !urls.isEmpty() &&
           std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

std::vector<std::u16string> MimeDropData::files() const {
    std::vector<std::u16string> paths;
    if (!hasFileList()) return paths;
    for (const QUrl& url : data_.urls())
        paths.push_back(localPath(url));
    return paths;
}

} // namespace tolvane::qt
