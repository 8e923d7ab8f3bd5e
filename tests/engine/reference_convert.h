#pragma once
// The plain way against which the converter's fast paths are checked: the
// whole text decoded at once; at each position the longest phrase whose
// source is there, found by trying every rule, else the character's entry;
// the result encoded back. And the way the streaming code feeds the converter.

#include "engine/piece_convert.h"
#include "engine/table.h"
#include "engine/text_codec.h"

#include <algorithm>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tolvane::testing {

struct ReferenceTable {
    std::map<char16_t, char16_t> characters;
    std::map<std::u16string, std::u16string> phrases; // a later rule replaces an earlier one

    TablePtr build() const {
        TableBuilder table;
        for (const auto& [from, to] : characters)
            table.设置对照(from, to);
        for (const auto& [source, target] : phrases)
            table.加入词组(source, target);
        return table.build();
    }

    std::u16string convert(std::u16string_view text) const {
        std::u16string result;
        for (std::size_t at = 0; at < text.size();) {
            std::size_t longest = 0;
            const std::u16string* target = nullptr;
            for (const auto& [source, to] : phrases) {
                if (source.size() > longest && text.substr(at).starts_with(source)) {
                    longest = source.size();
                    target = &to;
                }
            }
            if (target != nullptr) {
                result += *target;
                at += longest;
                continue;
            }
            const auto entry = characters.find(text[at]);
            result += entry == characters.end() ? text[at] : entry->second;
            ++at;
        }
        return result;
    }

    // Nothing when the output encoding cannot hold the result.
    std::optional<std::vector<std::uint8_t>> convert(Encoding encoding,
                                                     std::span<const std::uint8_t> bytes,
                                                     Encoding output = Encoding::Auto) const {
        std::u16string units;
        const std::size_t used = decodeText(encoding, bytes, true, units).used;
        const std::u16string converted = convert(units);
        std::vector<std::uint8_t> result;
        const Encoding written = output == Encoding::Auto ? encoding : output;
        if (encodeText(written, converted, result) < converted.size()) return std::nullopt;
        result.insert(result.end(), bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end());
        return result;
    }
};

// Pieces of at most pieceSize new bytes after what the previous piece left
// unused; with stopAtInvalid, up to the piece where an invalid byte was seen.
inline std::vector<std::uint8_t> convertInPieces(PieceConverter& converter,
                                                 std::span<const std::uint8_t> text,
                                                 std::size_t pieceSize, bool stopAtInvalid = false) {
    std::vector<std::uint8_t> piece, output;
    for (bool last = false; !last;) {
        const std::size_t got = std::min(pieceSize, text.size());
        piece.insert(piece.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(got));
        text = text.subspan(got);
        last = text.empty();
        const PieceConverter::Result result = converter.convert(piece, last);
        output.insert(output.end(), result.bytes.begin(), result.bytes.end());
        if (stopAtInvalid && converter.sawInvalid()) break;
        piece.erase(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(result.used));
    }
    return output;
}

} // namespace tolvane::testing
