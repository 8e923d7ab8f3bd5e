#include "app/cli/options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace tolvane::cli {

namespace {

// Long-only options get codes outside the letters, so that no short group
// can reach them.
constexpr char kDryRun = '\1';
constexpr char kTo = '\2';

struct LongOption {
    std::string_view name;
    char shortName;
};

constexpr std::array kLongOptions{
    LongOption{"table", 't'},     LongOption{"names", 'n'},
    LongOption{"recursive", 'r'}, LongOption{"dry-run", kDryRun},
    LongOption{"quiet", 'q'},     LongOption{"list-tables", 'l'},
    LongOption{"help", 'h'},      LongOption{"version", 'V'},
    LongOption{"encoding", 'e'},  LongOption{"characters-only", 'c'},
    LongOption{"to", kTo},
};

UsageError unknownOption(const std::string& shown) {
    // NOLINTNEXTLINE(modernize-return-braced-init-list): its constructor is explicit
    return UsageError("无法识别的选项“" + shown + "”");
}

bool isShortOption(char option) {
    return std::isalpha(static_cast<unsigned char>(option)) != 0;
}

bool takesValue(char option) {
    return option == 't' || option == 'e' || option == kTo;
}

Encoding encodingArgument(const std::string& value) {
    if (const auto encoding = encodingNamed(value)) return *encoding;
    throw UsageError("无法识别的编码“" + value +
                     "”（可用 auto、gbk、gb18030、big5、utf-8、utf-16le、utf-16be）");
}

void chooseAction(Options& options, Action action) {
    options.action = std::max(options.action, action);
}

void apply(Options& options, char option, const std::string& value) {
    switch (option) {
    case 't':
        options.table = value;
        break;
    case 'e':
        options.encoding = encodingArgument(value);
        break;
    case kTo:
        options.output = encodingArgument(value);
        break;
    case 'n':
        options.names = true;
        break;
    case 'r':
        options.recursive = true;
        break;
    case kDryRun:
        options.dryRun = true;
        break;
    case 'q':
        options.quiet = true;
        break;
    case 'c':
        options.charactersOnly = true;
        break;
    case 'l':
        chooseAction(options, Action::ListTables);
        break;
    case 'V':
        chooseAction(options, Action::Version);
        break;
    case 'h':
        chooseAction(options, Action::Help);
        break;
    default:
        throw unknownOption(std::string{'-', option});
    }
}

// The value of an option: the rest of its own argument, else the next argument.
std::string valueFor(const std::string& shown, std::string_view attached,
                     const std::vector<std::string>& arguments, std::size_t& index) {
    if (!attached.empty()) return std::string(attached);
    if (index + 1 >= arguments.size()) throw UsageError("选项“" + shown + "”需要一个参数");
    return arguments[++index];
}

void applyLong(Options& options, const std::vector<std::string>& arguments, std::size_t& index) {
    const std::string_view argument = std::string_view(arguments[index]).substr(2);
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const auto* found = std::ranges::find(kLongOptions, name, &LongOption::name);
    if (found == kLongOptions.end()) throw unknownOption("--" + std::string(name));
    const std::string shown = "--" + std::string(name);
    if (!takesValue(found->shortName)) {
        if (equals != std::string_view::npos) throw UsageError("选项“" + shown + "”不带参数");
        apply(options, found->shortName, {});
        return;
    }
    const std::string_view attached =
        equals == std::string_view::npos ? std::string_view{} : argument.substr(equals + 1);
    if (equals != std::string_view::npos && attached.empty())
        throw UsageError("选项“" + shown + "”需要一个参数");
    apply(options, found->shortName, valueFor(shown, attached, arguments, index));
}

// "-nr", "-t表", "-t 表": flags may be grouped; -t takes the rest or the next argument.
void applyShort(Options& options, const std::vector<std::string>& arguments, std::size_t& index) {
    const std::string_view group = std::string_view(arguments[index]).substr(1);
    for (std::size_t at = 0; at < group.size(); ++at) {
        const char option = group[at];
        if (!isShortOption(option)) throw unknownOption(std::string{'-', option});
        if (takesValue(option)) {
            const std::string shown = std::string{'-', option};
            apply(options, option, valueFor(shown, group.substr(at + 1), arguments, index));
            return;
        }
        apply(options, option, {});
    }
}

void validate(const Options& options) {
    if (options.action != Action::Convert) return;
    if (options.table.empty()) throw UsageError("必须用 -t 指定内码对照表");
    if (options.filter() && (options.names || options.recursive || options.dryRun))
        throw UsageError("-n、-r 和 --dry-run 只用于文件，不能用于标准输入");
    if (options.names && options.output != Encoding::Auto)
        throw UsageError("--to 只用于文件内容，不能与 -n 同用");
    if (!options.filter() && std::ranges::find(options.files, "-") != options.files.end())
        throw UsageError("“-”（标准输入）不能与文件同用");
}

} // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    bool optionsEnded = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            options.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument.starts_with("--")) {
            applyLong(options, arguments, index);
        } else {
            applyShort(options, arguments, index);
        }
    }
    validate(options);
    return options;
}

std::string usageText() {
    return R"(用法：tolvane-cli -t 对照表 [-c] [-e 编码] [--to 编码] [-n] [-r] [--dry-run] [-q] 文件...
      tolvane-cli -t 对照表 [-c] [-e 编码] [--to 编码] [-]
      tolvane-cli -l | --list-tables
      tolvane-cli -h | --help
      tolvane-cli -V | --version

按内码对照表逐字转换文本文件的内容或文件名。转换内容时，每个文件先移入它旁边的
备份文件夹（~Vebzo01.bak、~Vebzo02.bak……），再在原处写入转换后的文本。

选项：
  -t, --table 对照表   -l 列出的对照表名（“.txt”可省略），
                       或对照表文件的路径；对照表旁“词组”文件夹里同名的词组
                       文件随表载入，词组按最长匹配优先于单字
  -c, --characters-only  只按单字转换，不载入词组
  -e, --encoding 编码  文件内容的编码：auto（默认）、gbk（即 cp936）、gb18030、
                       big5（即 cp950）、utf-8、utf-16le、utf-16be。auto 按字节
                       顺序标记识别；没有标记时整个文件是有效 UTF-8 且含非 ASCII
                       字符的按 UTF-8，其余按文字本身判断是 GBK、GB18030 还是
                       Big5，判断不清的按代码页 936
      --to 编码        转换后的文件用这个编码写出（默认用读入时的编码）；写出的
                       编码容不下转换结果时，文件原样放回并报错
  -n, --names          转换文件名（只转换路径的最后一部分），不转换内容
  -r, --recursive      文件夹代表其下的所有文件（按名称排序，不进入备份文件夹，
                       不跟随符号链接）；没有此选项时，文件夹报错并跳过
      --dry-run        只显示每个文件的编码和将会做的改动，磁盘上什么也不改
  -q, --quiet          不在标准错误上显示进度
  -l, --list-tables    列出对照表和各自的词组数：程序旁有“对照表”文件夹时是其中
                       的表，否则是安装的表加上 ~/.local/share/tolvane/对照表 中
                       自己的表
  -h, --help           显示本帮助
  -V, --version        显示版本

没有文件或文件为“-”时，从标准输入读入文本，按同样的编码规则转换后写到标准输出
（输入是管道时，编码按开头 1 MiB 判断）。不是文本的文件（开头 8 KiB 中有 NUL 字节，
带字节顺序标记的 UTF-16 除外）不作改动并报错。
按 Ctrl-C 停止（kill 发出的 SIGTERM 和终端关闭或注销时的 SIGHUP 也一样）：
正在转换的文件放回原处，不作转换。

退出状态：0 全部转换完毕；1 有项目失败；2 用法错误或对照表不能载入；
130 被 Ctrl-C 中断；143 被 SIGTERM 中断；129 被 SIGHUP 中断。
)";
}

} // namespace tolvane::cli
