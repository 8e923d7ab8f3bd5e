#include "frontend/qt/open_dialog.h"

#include "frontend/qt/text.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tolvane::qt {

namespace {

QString qtPatterns(QString patterns) {
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    QStringList list = patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& pattern : list)
        if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    return list.join(QLatin1Char(' '));
}

} // namespace

QStringList nameFilters(const std::u16string& filter) {
    const QStringList parts = toQString(filter).split(QChar(u'\0'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + qtPatterns(parts[i + 1]) + QLatin1Char(')');
    return filters;
}

std::u16string answerBlock(const QStringList& files) {
    const std::u16string nul(1, u'\0');
    if (files.size() == 1) return toU16(files.front()) + nul + nul;
    const QDir folder = QFileInfo(files.front()).absoluteDir();
    std::u16string block = toU16(folder.path()) + nul;
    for (const QString& file : files)
        block += toU16(folder.relativeFilePath(file)) + nul;
    return block + nul;
}

bool FileDialog::getOpenFileName(OpenFileName& request) {
    QFileDialog dialog(owner_, toQString(request.title), toQString(request.initialDir));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The description already names the pattern as the user knows it.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode((request.flags & kOfnAllowMultiSelect) ? QFileDialog::ExistingFiles
                                                              : QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.nFilterIndex >= 1 && request.nFilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.nFilterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;

    const QStringList files = dialog.selectedFiles();
    std::u16string block = answerBlock(files);
    // As the system dialog does, a choice that does not fit the buffer fails.
    if (block.size() > request.nMaxFile) return false;
    block.resize(request.nMaxFile, u'\0');
    request.file = block;
    request.fileTitle = files.size() == 1 ? toU16(QFileInfo(files.front()).fileName()) : u"";
    request.nFilterIndex =
        static_cast<std::int32_t>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}

} // namespace tolvane::qt
