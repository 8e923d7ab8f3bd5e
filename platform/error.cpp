#include "platform/error.h"

#include "platform/utf8.h"

#include <cerrno>
#include <new>

namespace tolvane {

Error::Error(std::int32_t number, std::u16string description)
    : std::runtime_error(toUtf8(description)), number_(number),
      description_(std::move(description)) {}

namespace {

struct Known {
    std::int32_t number;
    const char16_t* text;
};

Known describe(int errnum) {
    switch (errnum) {
    case ENOENT:
        return {kFileNotFound, u"系统找不到指定的文件。"};
    case ENOTDIR:
        return {kPathNotFound, u"系统找不到指定的路径。"};
    case EEXIST:
    case ENOTEMPTY:
        return {kFileExists, u"文件已存在。"};
    case EACCES:
    case EPERM:
    case EROFS:
        return {kPermissionDenied, u"拒绝访问。"};
    case ENOSPC:
#ifdef EDQUOT // not on Windows
    case EDQUOT:
#endif
        return {kDiskFull, u"磁盘空间不足。"};
    case EFBIG:
    case EOVERFLOW:
        return {kFileTooLarge, u"文件太大。"};
    case ENAMETOOLONG:
    case EINVAL:
        return {kInvalidPath, u"文件名、目录名或卷标语法不正确。"};
    case EISDIR:
        return {kPermissionDenied, u"这是一个文件夹，不是文件。"};
    case EXDEV:
        return {kPathNotFound, u"不能把文件移到另一个磁盘。"};
    case EWOULDBLOCK:
        return {kFileBusy, u"文件正被另一个转换使用。"};
    case EIO:
        return {kIoError, u"I/O 设备错误。"};
    default:
        return {kSystemError, u"系统错误。"};
    }
}

} // namespace

std::u16string describeException(const std::exception_ptr& exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const Error& error) {
        return error.description();
    } catch (const std::bad_alloc&) {
        return u"内存不足。";
    } catch (const std::exception& error) {
        return fromUtf8(error.what());
    } catch (...) {
        return u"未知的错误。";
    }
}

Error systemError(int errnum, const std::u16string& path) {
    const Known known = describe(errnum);
    std::u16string text = known.text;
    if (!path.empty()) text = u"“" + path + u"”：" + text;
    return {known.number, text};
}

} // namespace tolvane
