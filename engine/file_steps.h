#pragma once
// The per-file steps of a conversion, shared by every front-end.

#include "engine/encoding.h"
#include "engine/table.h"

#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

class ConversionLock;
class InputFile;
class NewFileInPlace;

// One file's contents conversion, step by step, so the caller can show a status
// between steps and decide what to do after an error.
class 文件内容转换 {
  public:
    // The table must outlive the conversion. 输出编码 Auto writes the text in
    // the encoding it was read in.
    文件内容转换(const 内码对照表& 表, std::u16string 源路径, Encoding 编码 = Encoding::Auto,
                 Encoding 输出编码 = Encoding::Auto);
    ~文件内容转换();
    文件内容转换(const 文件内容转换&) = delete;
    文件内容转换& operator=(const 文件内容转换&) = delete;

    const std::u16string& 源路径() const { return 源路径_; }
    // Empty until 移入备份.
    const std::u16string& 备份路径() const { return 备份路径_; }
    // The encoding the text was read and is written in, once 转换 has run.
    Encoding 编码() const { return 编码_; }

    // Moves the file into its backup folder; a file that is not text
    // (Error kNotText), not a regular file, being converted by another run or
    // unreadable stays where it is. A symbolic link converts the file it names
    // (源路径 becomes that file's path) and stays a link. Throws Error.
    void 移入备份();
    // Opens the backup for reading and a temporary file beside the source path
    // for the converted text. Throws Error.
    void 读出();
    // Converts the text piece by piece into the temporary file, asking stop()
    // after every piece; true when it said to stop. Throws Error, CannotEncode
    // when the output encoding cannot hold the result.
    bool 转换(const std::function<bool()>& stop);
    // Puts the converted text at the source path, complete, with the original's
    // permissions. Throws Error, kFileExists when the path was taken meanwhile.
    void 写入();

    // Puts several converted files in place at once: the data of all is flushed
    // to disk in one pass, then each is renamed, then each folder flushed once,
    // which costs a fraction of one file after another when they are many and
    // small. Gives, in order, nothing for a file put in place and the failure
    // of one that was not (its temporary file removed; 复原 puts it back).
    static std::vector<std::exception_ptr> 一起写入(std::span<文件内容转换* const> 文件);

    // The conversion did not complete: removes any output written at the source
    // path and moves the unconverted file back there from its backup folder.
    // Throws Error when it cannot (the path was taken meanwhile); the file then
    // stays safe in its backup folder.
    void 复原();

  private:
    const 内码对照表& 表_;
    std::u16string 源路径_;
    std::u16string 备份路径_;
    Encoding 编码_;
    Encoding 输出编码_;
    std::unique_ptr<InputFile> 输入_;
    std::unique_ptr<NewFileInPlace> 输出_; // the temporary file until 写入
    std::unique_ptr<ConversionLock> 锁_;   // from 移入备份 to the end
    bool 新建了备份文件夹_ = false;
    bool 已写入_ = false;
};

// The last path component converted through 表, the folder part kept.
// Touches no file.
std::u16string 转换文件名(const 内码对照表& 表, const std::u16string& 路径);

// A converted name may only rename the file in its own folder: Error kInvalidPath
// ("文件名不合法") when the new path lies elsewhere (the table mapped a
// character to "/") or its name is empty, ".", ".." or holds a NUL.
void 检查新文件名(const std::u16string& 旧路径, const std::u16string& 新路径);

// Renames a file to its converted path; nothing when the paths are equal; never
// replaces an existing file (Error kFileExists). Checks the new name first.
void 改名(const std::u16string& 旧路径, const std::u16string& 新路径);

} // namespace tolvane
