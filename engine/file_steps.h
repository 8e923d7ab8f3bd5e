#pragma once
// The per-file steps of a conversion, shared by every front-end.

#include <string>
#include <vector>

namespace tolvane {

// One file's contents conversion, step by step, so the caller can show a status
// between steps and decide what to do after an error. The text array is the
// caller's, reused between files.
class 文件内容转换 {
  public:
    explicit 文件内容转换(std::u16string 源路径);

    const std::u16string& 源路径() const { return 源路径_; }
    // Empty until 移入备份.
    const std::u16string& 备份路径() const { return 备份路径_; }

    void 移入备份();                              // throws Error
    void 读出(std::vector<char16_t>& 文本);       // reads the backup; throws Error
    void 写入(const std::vector<char16_t>& 文本); // writes at the source path; throws Error

    // The conversion did not complete: removes any output written at the source
    // path and moves the unconverted file back there from its backup folder.
    // Throws Error when it cannot (the path was taken meanwhile); the file then
    // stays safe in its backup folder.
    void 复原();

  private:
    std::u16string 源路径_;
    std::u16string 备份路径_;
    std::u16string 输出路径_; // where 写入 created a file, until 复原 removes it
};

struct 文件名转换结果 {
    bool 已取消 = false;
    std::u16string 新路径;
};

// The last path component converted through the table, the folder part kept.
// Touches no file.
文件名转换结果 转换文件名(const std::u16string& 路径);

// A converted name may only rename the file in its own folder: Error 52
// ("文件名不合法") when the new path lies elsewhere (the table mapped a
// character to "/") or its name is empty, ".", ".." or holds a NUL.
void 检查新文件名(const std::u16string& 旧路径, const std::u16string& 新路径);

// Renames a file to its converted path; nothing when the paths are equal; never
// replaces an existing file (Error 58). Checks the new name first.
void 改名(const std::u16string& 旧路径, const std::u16string& 新路径);

} // namespace tolvane
