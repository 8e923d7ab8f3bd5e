#include "common/scratch_folder.h"
#include "support/places.h"

#include <fstream>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

#ifndef _WIN32 // a Windows program keeps its settings and tables beside it, in no user folder
enum Fact : unsigned { kTablesBeside = 1, kSettingsBeside = 2, kWritable = 4, kInstalled = 8 };

// A program in /p, installed when /share/tolvane/对照表 exists; the user is
// /home/u unless said otherwise.
ProgramSite site(unsigned facts, std::u16string configHome = u"", std::u16string dataHome = u"",
                 std::u16string home = u"/home/u") {
    const auto has = [facts](unsigned fact) { return (facts & fact) != 0; };
    return {u"/p",           has(kTablesBeside), has(kSettingsBeside),  has(kWritable),
            has(kInstalled), std::move(home),    std::move(configHome), std::move(dataHome)};
}

TEST(文件位置, 设置文件所在的文件夹) {
    const std::tuple<const char*, ProgramSite, std::u16string> cases[] = {
        {"portable folder", site(kTablesBeside | kWritable), u"/p"},
        {"build tree beside an installed copy", site(kTablesBeside | kWritable | kInstalled),
         u"/p"},
        {"read-only portable folder", site(kTablesBeside), u"/home/u/.config/tolvane"},
        {"Tolvane.ini already beside", site(kSettingsBeside | kInstalled), u"/p"},
        {"lone writable copy", site(kWritable), u"/p"},
        {"installed", site(kInstalled), u"/home/u/.config/tolvane"},
        {"installed, run by root", site(kWritable | kInstalled), u"/home/u/.config/tolvane"},
        {"XDG_CONFIG_HOME set", site(kInstalled, u"/c"), u"/c/tolvane"},
        {"XDG_CONFIG_HOME relative", site(kInstalled, u"c"), u"/home/u/.config/tolvane"},
        {"no user folder at all", site(kInstalled, u"", u"", u""), u"/p"}};
    for (const auto& [what, place, folder] : cases)
        EXPECT_EQ(settingsFolder(place), folder) << what;
}

TEST(文件位置, 对照表所在的文件夹) {
    const std::tuple<const char*, ProgramSite, std::vector<std::u16string>> cases[] = {
        {"portable", site(kTablesBeside | kInstalled, u"/c", u"/d"), {u"/p/对照表"}},
        {"installed",
         site(kInstalled),
         {u"/share/tolvane/对照表", u"/home/u/.local/share/tolvane/对照表"}},
        {"XDG_DATA_HOME set",
         site(kWritable, u"", u"/d"),
         {u"/share/tolvane/对照表", u"/d/tolvane/对照表"}},
        {"XDG_DATA_HOME relative",
         site(kInstalled, u"", u"d"),
         {u"/share/tolvane/对照表", u"/home/u/.local/share/tolvane/对照表"}},
        {"no user folder", site(kInstalled, u"", u"", u""), {u"/share/tolvane/对照表"}}};
    for (const auto& [what, place, folders] : cases)
        EXPECT_EQ(tableFolders(place), folders) << what;
    ProgramSite usrBin = site(kInstalled);
    usrBin.folder = u"/usr/bin";
    EXPECT_EQ(tableFolders(usrBin).front(), u"/usr/share/tolvane/对照表");
}

#endif

void touch(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream{file};
}

TEST(文件位置, 用户的表与安装的表同名时用用户的) {
    testing::ScratchFolder root;
    const auto shipped = root.path() / "shipped";
    const auto own = root.path() / "own";
    for (const char8_t* name : {u8"简体到繁体.txt", u8"甲.txt", u8"说明.doc"})
        touch(shipped / name);
    for (const char8_t* name : {u8"简体到繁体.txt", u8"乙.txt"})
        touch(own / name);
    const std::vector<std::u16string> folders{shipped.u16string(), own.u16string(),
                                              (root.path() / "missing").u16string()};

    std::vector<std::u16string> names;
    for (const TableFile& table : listTables(folders)) {
        names.push_back(table.name);
        EXPECT_EQ(tableFile(folders, table.name), table.path);
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"乙.txt", u"甲.txt", u"简体到繁体.txt"}));
    EXPECT_EQ(tableFile(folders, u"简体到繁体"), (own / u8"简体到繁体.txt").u16string());
    EXPECT_EQ(tableFile(folders, u"甲"), (shipped / u8"甲.txt").u16string());
    EXPECT_EQ(tableFile(folders, u"说明"), std::nullopt);
    EXPECT_EQ(tableFile(folders, u"丙"), std::nullopt);
}

} // namespace
} // namespace tolvane
