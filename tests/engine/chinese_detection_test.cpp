#include "engine/chinese_detection.h"
#include "platform/codepage.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>
#include <string>

namespace tolvane {
namespace {

#include "chinese_prose.inc"

std::vector<std::uint8_t> encoded(std::string_view utf8, CodePage page) {
    const std::u16string units = fromUtf8(utf8);
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(encodeCodePage(page, units, bytes), units.size());
    return bytes;
}

TEST(中文代码页识别, 由文本本身识别而证据不足时为GBK) {
    constexpr std::size_t kWhole = std::string::npos;
    const std::string withBullet = std::string(kSimplified) + "•"; // four bytes in GB18030
    struct Case {
        std::string_view text;
        std::size_t size; // cut anywhere, a character too
        CodePage page;
        ChineseCodePage expected;
    };
    const Case cases[] = {
        {kSimplified, 201, CodePage::Gbk, ChineseCodePage::Gbk},
        {kSimplified, kWhole, CodePage::Gbk, ChineseCodePage::Gbk},
        // What 简体到繁体 writes into a GBK file is read back as GBK.
        {kTraditional, 201, CodePage::Gbk, ChineseCodePage::Gbk},
        {kTraditional, kWhole, CodePage::Gbk, ChineseCodePage::Gbk},
        {kTaiwanese, 201, CodePage::Big5, ChineseCodePage::Big5},
        {kTaiwanese, kWhole, CodePage::Big5, ChineseCodePage::Big5},
        {"這是一個繁體中文的測試文件，頭髮與發展。", kWhole, CodePage::Big5, ChineseCodePage::Big5},
        {withBullet, kWhole, CodePage::Gb18030, ChineseCodePage::Gb18030},
        {kSimplified, kWhole, CodePage::Gb18030, ChineseCodePage::Gbk},
        {"頭髮", kWhole, CodePage::Big5, ChineseCodePage::Gbk},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bytes = encoded(c.text, c.page);
        const auto head = std::span(bytes).first(std::min(c.size, bytes.size()));
        EXPECT_EQ(detectChineseCodePage(head), c.expected) << c.text.substr(0, 12) << ' ' << c.size;
    }
}

} // namespace
} // namespace tolvane
