#include "app/cli/terminal.h"
#include "platform/codepage.h"
#include "platform/utf8.h"
#include "platform/win32/file_io.h"
#include "platform/win32/win32_error.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

namespace tolvane::cli {

namespace {

HANDLE handleOf(Stream stream) {
    return ::GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != 0;
}

// Redirected text follows the system's convention for text files.
std::u16string withCrLf(std::u16string_view text) {
    std::u16string lines;
    for (const char16_t unit : text) {
        if (unit == u'\n') lines += u'\r';
        lines += unit;
    }
    return lines;
}

} // namespace

void writeText(Stream stream, std::string_view utf8) {
    const HANDLE handle = handleOf(stream);
    const std::u16string text = fromUtf8(utf8);
    if (isConsole(handle)) {
        DWORD written = 0;
        ::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    win32::writeAll(handle, encodeAnsi(withCrLf(text)));
}

bool canRedraw(Stream stream) {
    const HANDLE handle = handleOf(stream);
    DWORD mode = 0;
    if (!::GetConsoleMode(handle, &mode)) return false;
    // The progress line is redrawn with terminal escapes, which older consoles
    // show as text: without them there is no progress line.
    return ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

void useBinaryStandardStreams() {
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
}

std::optional<std::size_t> readStandardInput(std::span<std::uint8_t> buffer) {
    DWORD got = 0;
    if (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer.data(),
                   static_cast<DWORD>(buffer.size()), &got, nullptr))
        return got;
    const DWORD code = ::GetLastError();
    // The writer closed its end of a pipe: that is the end of the input.
    if (code == ERROR_BROKEN_PIPE) return 0;
    if (code == ERROR_OPERATION_ABORTED) return std::nullopt; // Ctrl-C
    throw win32::systemError(code);
}

void writeStandardOutput(std::span<const std::uint8_t> bytes) {
    if (!win32::writeAll(::GetStdHandle(STD_OUTPUT_HANDLE), bytes))
        throw win32::systemError(::GetLastError());
}

} // namespace tolvane::cli
