#pragma once
// The standard streams as the system has them: text messages in the user's
// console, and the filter's bytes unchanged.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tolvane::cli {

enum class Stream { Output, Error };

// Shows UTF-8 text: on Linux as it is; on Windows through the console's
// wide-character output, or in code page 936 when the stream is redirected.
void writeText(Stream stream, std::string_view utf8);

// Whether a line on the stream can be wiped and redrawn in place.
bool canRedraw(Stream stream);

// Standard input and output as raw bytes for the filter.
void useBinaryStandardStreams();

// A piece of standard input: its size, 0 at the end, nothing when a signal
// interrupted the wait. Throws Error.
std::optional<std::size_t> readStandardInput(std::span<std::uint8_t> buffer);

// Every byte to standard output. Throws Error.
void writeStandardOutput(std::span<const std::uint8_t> bytes);

} // namespace tolvane::cli
