#include "engine/job.h"

#include "engine/backup.h"
#include "engine/convert.h"
#include "engine/file_steps.h"
#include "engine/state.h"
#include "platform/error.h"

#include <exception>

namespace tolvane {

namespace {

// The user's answer to an error in the middle of a files job: true goes on
// with the next file.
bool 询问是否继续(作业界面& 界面, const std::u16string& 说明) {
    const std::u16string 文本 = u"未发现的错误\r\n" + 说明 + u"\r\n继续吗？";
    return 界面.消息框(文本, MessageIcon::Stop, MessageButtons::OkCancel) == MessageAnswer::Ok;
}

void 报告错误(作业界面& 界面, const std::u16string& 文本) {
    界面.消息框(文本, MessageIcon::Stop, MessageButtons::Ok);
}

// What the user reads of a failure; a result the file's encoding cannot hold
// says which setting writes it in another.
std::u16string 说明(const Error& 错误) {
    const auto* 不能表示 = dynamic_cast<const CannotEncode*>(&错误);
    if (不能表示 == nullptr) return 错误.description();
    std::u16string 编码;
    for (const Encoding 可用 : 不能表示->alternatives()) {
        const std::string 名称 = optionName(可用);
        编码 += (编码.empty() ? u"" : u" 或 ") + std::u16string(名称.begin(), 名称.end());
    }
    return 错误.description() + u"，请在设置文件 Tolvane.ini 的 [个人设置] 中把 输出编码 设为 " +
           编码;
}

// Puts the file back at its path so it is never left only in its backup
// folder; empty on success, otherwise why it could not.
std::u16string 尝试复原(文件内容转换& 转换) {
    try {
        转换.复原();
        return {};
    } catch (const Error& e) {
        return e.description();
    }
}

// A file's conversion failed with 说明: the file is put back and the user decides.
bool 失败后询问(作业界面& 界面, 文件内容转换& 转换, const std::u16string& 说明) {
    const std::u16string 复原失败 = 尝试复原(转换);
    return 询问是否继续(界面, 复原失败.empty() ? 说明 : 说明 + u"\r\n" + 复原失败);
}

// A cancelled file is put back; only a failed restore has anything to ask.
bool 取消后复原(作业界面& 界面, 文件内容转换& 转换) {
    const std::u16string 复原失败 = 尝试复原(转换);
    return !复原失败.empty() && 询问是否继续(界面, 复原失败);
}

// Reads, converts and writes one file already in its backup folder. False when
// the job stops here.
bool 转换备份中的文件(作业界面& 界面, 文件内容转换& 转换) {
    try {
        界面.显示状态(u"正在读出源文件“" + 转换.备份路径() + u"”...");
        转换.读出();
        界面.显示状态(u"正在进行转换...");
        if (转换.转换(stopRequested)) return 取消后复原(界面, 转换);
        界面.显示状态(u"正在写入输出文件“" + 转换.源路径() + u"”...");
        转换.写入();
        界面.显示状态(u"写入完成！");
        return true;
    } catch (const Error& e) {
        return 失败后询问(界面, 转换, 说明(e));
    } catch (...) {
        尝试复原(转换);
        throw;
    }
}

// One file of a files job; false when the job stops here.
bool 转换一个文件(作业界面& 界面, const 内码对照表& 表, Encoding 输出编码,
                  const std::u16string& 源路径) {
    文件内容转换 转换(表, 源路径, Encoding::Auto, 输出编码);
    try {
        转换.移入备份();
    } catch (const Error& e) {
        if (e.number() != kFileNotFound) return 询问是否继续(界面, e.description());
        报告错误(界面, u"源文件不正常！");
        return false;
    }
    return 转换备份中的文件(界面, 转换);
}

bool 列表为空(作业界面& 界面, int 数目) {
    if (数目 > 0) return false;
    界面.消息框(u"源文件列表不能为空！", MessageIcon::None, MessageButtons::Ok);
    return true;
}

void 转换文件内容(作业界面& 界面, const 内码对照表& 表, Encoding 输出编码) {
    const int 数目 = 界面.源文件数();
    if (列表为空(界面, 数目)) return;
    for (int 序号 = 0; 序号 < 数目; ++序号) {
        if (!转换一个文件(界面, 表, 输出编码, 界面.源文件项(序号))) return;
    }
}

enum class 名称结果 { 继续, 停止, 失败 };

// Renames one listed file and sets its list text to the new path.
名称结果 转换一个文件名(作业界面& 界面, const 内码对照表& 表, int 序号) {
    if (stopRequested()) return 名称结果::停止;
    const std::u16string 路径 = 界面.源文件项(序号);
    const std::u16string 新路径 = 转换文件名(表, 路径);
    if (路径类型(路径) != 1) {
        界面.消息框(u"文件“" + 路径 + u"”不存在", MessageIcon::None, MessageButtons::Ok);
        return 名称结果::停止;
    }
    try {
        改名(路径, 新路径);
    } catch (const Error& e) {
        报告错误(界面, u"文件“" + 路径 + u"”不能改名为“" + 新路径 + u"”\r\n" + e.description());
        return 名称结果::失败;
    }
    界面.设置源文件项(序号, 新路径);
    return 名称结果::继续;
}

void 转换所有文件名(作业界面& 界面, const 内码对照表& 表) {
    const int 数目 = 界面.源文件数();
    if (列表为空(界面, 数目)) return;
    界面.显示状态(u"正在进行文件名转换...");
    名称结果 结果 = 名称结果::继续;
    for (int 序号 = 0; 序号 < 数目 && 结果 == 名称结果::继续; ++序号)
        结果 = 转换一个文件名(界面, 表, 序号);
    // A refused rename was reported; the job ends without claiming success.
    if (结果 != 名称结果::失败) 界面.显示状态(u"转换完毕！");
}

void 转换剪贴板(作业界面& 界面, const 内码对照表& 表) {
    界面.显示状态(u"正在转换剪贴板文本...");
    // The text is one piece: a stop comes too late for it.
    const std::u16string 文本 = 转换文本(表, 界面.剪贴板内容());
    try {
        界面.放入剪贴板(文本);
    } catch (const Error& e) {
        报告错误(界面, u"无法打开剪贴板\r\n" + e.description());
        return;
    }
    界面.显示状态(u"转换完毕！");
    界面.刷新();
}

void 按类型转换(作业界面& 界面, const 内码对照表* 表, Encoding 输出编码) {
    if (表 == nullptr) {
        界面.消息框(u"内码对照表文件不正常！", MessageIcon::None, MessageButtons::Ok);
        return;
    }
    switch (转换类型.load()) {
    case kConvertFiles:
        转换文件内容(界面, *表, 输出编码);
        break;
    case kConvertNames:
        转换所有文件名(界面, *表);
        break;
    case kConvertClipboard:
        转换剪贴板(界面, *表);
        break;
    default:
        break;
    }
}

} // namespace

void 执行转换(作业界面& 界面, const 内码对照表* 表, Encoding 输出编码) {
    try {
        按类型转换(界面, 表, 输出编码);
    } catch (...) {
        // Nothing more can be done for this job; it still ends normally below.
        try {
            报告错误(界面, u"未发现的错误\r\n" + describeException(std::current_exception()));
        } catch (...) { // NOLINT(bugprone-empty-catch): the window cannot be told
        }
    }
    try {
        界面.显示状态(u"");
    } catch (...) { // NOLINT(bugprone-empty-catch): a worker must not die of it
    }
}

} // namespace tolvane
