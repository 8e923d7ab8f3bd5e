#include "job_test_support.h"

#include "engine/state.h"
#include "engine/table.h"
#include "platform/error.h"

namespace tolvane::testing {

void 记录界面::显示状态(const std::u16string& 文本) {
    状态.push_back(记(文本));
    if (状态钩子) 状态钩子(文本);
}

MessageAnswer 记录界面::消息框(const std::u16string& 文本, MessageIcon 图标, MessageButtons 按钮) {
    消息.push_back({记(文本), 图标, 按钮});
    if (消息钩子) 消息钩子(文本);
    if (回答.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = 回答.front();
    回答.pop_front();
    return answer;
}

void 记录界面::放入剪贴板(const std::u16string& 文本) {
    if (记(剪贴板打不开)) throw Error(kSystemError, u"剪贴板正被另一程序使用。");
    剪贴板 = 文本;
}

void 作业测试::SetUp() {
    TearDown();
    TableBuilder builder;
    builder.设置对照(u'a', u'e');
    builder.设置对照(u'甲', u'乙');
    builder.设置对照(u'丙', u'가'); // a character code page 936 cannot hold
    表 = builder.build();
}

void 作业测试::TearDown() {
    取消标志 = false;
    使用多线程 = true;
    转换类型 = 0;
    setEventPump({});
}

} // namespace tolvane::testing
