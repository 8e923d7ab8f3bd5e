#include "job_test_support.h"

#include "engine/state.h"
#include "engine/table.h"
#include "platform/error.h"
#include "platform/files.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace tolvane::testing {

void 记录界面::显示状态(const std::u16string& 文本) {
    线程.push_back(std::this_thread::get_id());
    状态.push_back(文本);
    if (状态钩子) 状态钩子(文本);
}

int 记录界面::源文件数() {
    线程.push_back(std::this_thread::get_id());
    return static_cast<int>(列表.size());
}

std::u16string 记录界面::源文件项(int 序号) {
    线程.push_back(std::this_thread::get_id());
    return 列表.at(static_cast<std::size_t>(序号));
}

void 记录界面::设置源文件项(int 序号, const std::u16string& 文本) {
    线程.push_back(std::this_thread::get_id());
    列表.at(static_cast<std::size_t>(序号)) = 文本;
}

MessageAnswer 记录界面::消息框(const std::u16string& 文本, MessageIcon 图标, MessageButtons 按钮) {
    线程.push_back(std::this_thread::get_id());
    消息.push_back({文本, 图标, 按钮});
    if (消息钩子) 消息钩子(文本);
    if (回答.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = 回答.front();
    回答.pop_front();
    return answer;
}

std::vector<std::uint8_t> 记录界面::剪贴板内容() {
    线程.push_back(std::this_thread::get_id());
    return 剪贴板字节;
}

void 记录界面::放入剪贴板(const std::u16string& 文本) {
    线程.push_back(std::this_thread::get_id());
    if (剪贴板打不开) throw Error(kSystemError, u"剪贴板正被另一程序使用。");
    剪贴板 = 文本;
}

void 记录界面::刷新() {
    线程.push_back(std::this_thread::get_id());
    ++刷新次数;
}

临时文件夹::临时文件夹() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tolvane-job-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path_);
}

临时文件夹::~临时文件夹() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string 临时文件夹::operator/(const std::u16string& name) const {
    return joinPath(path_.u16string(), name);
}

void 写入字节(const std::u16string& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string 读出字节(const std::u16string& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool 存在(const std::u16string& path) {
    return std::filesystem::exists(std::filesystem::path(path));
}

bool 是文件夹(const std::u16string& path) {
    return std::filesystem::is_directory(std::filesystem::path(path));
}

void 作业测试::SetUp() {
    复位对照表();
    设置对照(u'a', u'e');
    设置对照(u'甲', u'乙');
    对照表正常 = true;
    取消标志 = false;
    使用多线程 = true;
    转换类型 = 0;
    setEventPump({});
}

void 作业测试::TearDown() {
    复位对照表();
    取消标志 = false;
    使用多线程 = true;
    转换类型 = 0;
    setEventPump({});
}

} // namespace tolvane::testing
