// Asks the system's iconv about every byte sequence and every code unit of
// code pages 936 and 950 and of GB18030 and writes the answers as the tables
// the program converts with (a C++ source file), so that every system converts
// alike and nothing is computed when the program starts.
//   tolvane_codepage_generate OUTPUT.cpp

#include "platform/codepage_tables.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iconv.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tolvane {

namespace {

using tables::FourByteRun;
using tables::fourByteSequence;
using tables::kFirstSupplementaryIndex;
using tables::SupplementaryCode;

// iconv defines the code pages; it is asked once about every byte sequence and
// every code unit, and the answers are kept in tables that the loops use.
class Iconv {
  public:
    Iconv(const char* to, const char* from) : handle_(::iconv_open(to, from)) {
        // iconv_open reports failure as the handle (iconv_t)-1.
        if (handle_ == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    ~Iconv() { ::iconv_close(handle_); }

    // The whole input converted, or an empty result when iconv refuses any of it.
    std::size_t convert(const void* input, std::size_t inputSize, void* output,
                        std::size_t outputSize) {
        ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = static_cast<char*>(const_cast<void*>(input));
        char* out = static_cast<char*>(output);
        std::size_t outLeft = outputSize;
        if (::iconv(handle_, &in, &inputSize, &out, &outLeft) == static_cast<std::size_t>(-1))
            return 0;
        return outputSize - outLeft;
    }

  private:
    iconv_t handle_;
};

using Bytes = std::array<std::uint8_t, 8>;

// What one byte sequence decodes to: the code points, or nothing when iconv
// refuses it.
std::vector<char32_t> decoded(Iconv& toUtf32, const std::uint8_t* input, std::size_t size) {
    std::array<char32_t, 4> out{};
    const std::size_t bytes = toUtf32.convert(input, size, out.data(), sizeof out);
    return {out.begin(), out.begin() + static_cast<long>(bytes / sizeof(char32_t))};
}

// What one character encodes to, or nothing when iconv refuses it.
std::vector<std::uint8_t> encoded(Iconv& fromUtf32, char32_t character) {
    Bytes out{};
    const std::size_t size =
        fromUtf32.convert(&character, sizeof character, out.data(), out.size());
    return {out.begin(), out.begin() + static_cast<long>(size)};
}

struct Decoding {
    DoubleByteTable& table;
    std::vector<SupplementaryCode>& supplementary;
};

void fillPairs(Iconv& toUtf32, unsigned lead, Decoding decoding) {
    for (unsigned trail = 0; trail < 256; ++trail) {
        const std::array<std::uint8_t, 2> two{static_cast<std::uint8_t>(lead),
                                              static_cast<std::uint8_t>(trail)};
        const std::vector<char32_t> characters = decoded(toUtf32, two.data(), two.size());
        if (characters.size() != 1) continue;
        const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
        if (characters[0] > 0xFFFF)
            decoding.supplementary.push_back({code, characters[0]});
        else if (!isStrayByteUnit(static_cast<char16_t>(characters[0])))
            decoding.table.pair[code] = static_cast<char16_t>(characters[0]);
    }
}

void fillDecoding(Iconv& toUtf32, Decoding decoding) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        const std::array<std::uint8_t, 1> one{static_cast<std::uint8_t>(byte)};
        const std::vector<char32_t> characters = decoded(toUtf32, one.data(), one.size());
        decoding.table.isSingle[byte] = characters.size() == 1 && characters[0] <= 0xFFFF;
        if (decoding.table.isSingle[byte]) {
            decoding.table.single[byte] = static_cast<char16_t>(characters[0]);
        } else {
            decoding.table.single[byte] = strayByteUnit(static_cast<std::uint8_t>(byte));
            fillPairs(toUtf32, byte, decoding);
        }
    }
}

// The one- or two-byte code of a unit, kNoCode when it has none.
std::uint16_t encodingOf(Iconv& fromUtf32, char16_t unit) {
    if (isStrayByteUnit(unit)) return static_cast<std::uint16_t>(unit & 0xFF);
    if (unit >= 0xD800 && unit <= 0xDFFF) return kNoCode; // half of a character
    const std::vector<std::uint8_t> bytes = encoded(fromUtf32, unit);
    if (bytes.size() == 1) return bytes[0];
    if (bytes.size() == 2 && bytes[0] >= 0x80 && bytes[0] != 0xFF)
        return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
    return kNoCode;
}

void fillEncoding(Iconv& fromUtf32, DoubleByteTable& table) {
    for (unsigned unit = 0; unit < 65536; ++unit)
        table.encode[unit] = encodingOf(fromUtf32, static_cast<char16_t>(unit));
}

std::vector<SupplementaryCode> tabulate(const char* name, DoubleByteTable& table) {
    Iconv toUtf32("UTF-32LE", name);
    Iconv fromUtf32(name, "UTF-32LE");
    std::vector<SupplementaryCode> supplementary;
    fillDecoding(toUtf32, {table, supplementary});
    fillEncoding(fromUtf32, table);
    return supplementary;
}

constexpr unsigned kFourByteBmpCount = 39420; // 81 30 81 30 .. 84 31 A4 39

std::vector<FourByteRun> fourByteRuns(Iconv& toUtf32) {
    std::vector<FourByteRun> runs;
    for (unsigned index = 0; index < kFourByteBmpCount; ++index) {
        const auto sequence = fourByteSequence(index);
        const std::vector<char32_t> characters = decoded(toUtf32, sequence.data(), sequence.size());
        if (characters.size() != 1 || characters[0] > 0xFFFF) continue;
        const auto unit = static_cast<std::uint16_t>(characters[0]);
        FourByteRun* last = runs.empty() ? nullptr : &runs.back();
        if (last != nullptr && last->firstIndex + last->length == index &&
            last->firstUnit + last->length == unit)
            ++last->length;
        else
            runs.push_back({static_cast<std::uint16_t>(index), unit, 1});
    }
    return runs;
}

// The runs, the rule for U+10000 onward and the two-byte codes of characters
// beyond U+FFFF must give what iconv's encoder gives for every character that
// has no one- or two-byte code in the table: the program encodes by them.
void checkFourByteEncoding(Iconv& fromUtf32, const std::vector<FourByteRun>& runs,
                           const std::vector<SupplementaryCode>& supplementary) {
    std::vector<std::uint32_t> expected(0x110000, ~0U);
    for (const FourByteRun& run : runs)
        for (unsigned k = 0; k < run.length; ++k)
            expected[run.firstUnit + k] = run.firstIndex + k;
    for (char32_t character = 0x10000; character < 0x110000; ++character)
        expected[character] = kFirstSupplementaryIndex + character - 0x10000;
    for (const SupplementaryCode& two : supplementary)
        expected[two.character] = ~0U;
    for (char32_t character = 0x80; character < 0x110000; ++character) {
        if (character >= 0xD800 && character <= 0xDFFF) continue;
        const std::vector<std::uint8_t> bytes = encoded(fromUtf32, character);
        const bool agrees = bytes.size() == 4
                                ? std::ranges::equal(bytes, fourByteSequence(expected[character]))
                            : bytes.empty() ? expected[character] == ~0U
                                            : character <= 0xFFFF || expected[character] == ~0U;
        if (!agrees)
            throw std::runtime_error("GB18030's four-byte sequences are not as expected at U+" +
                                     std::to_string(static_cast<unsigned>(character)));
    }
}

template <typename Array> void writeArray(std::FILE* out, const Array& values) {
    std::fputs("    {{", out);
    for (std::size_t i = 0; i < values.size(); ++i)
        std::fprintf(out, "%s%u,", i % 16 == 0 ? "\n        " : "",
                     static_cast<unsigned>(values[i]));
    std::fputs("\n    }},\n", out);
}

void writeTable(std::FILE* out, const char* name, const DoubleByteTable& table) {
    std::fprintf(out, "const DoubleByteTable %s{\n", name);
    writeArray(out, table.single);
    writeArray(out, table.isSingle);
    writeArray(out, table.pair);
    writeArray(out, table.encode);
    std::fputs("};\n\n", out);
}

void writeRuns(std::FILE* out, const char* name, const std::vector<FourByteRun>& runs) {
    std::fprintf(out, "const FourByteRun %s[] = {\n", name);
    for (const FourByteRun& run : runs)
        std::fprintf(out, "    {%u, %u, %u},\n", unsigned{run.firstIndex}, unsigned{run.firstUnit},
                     unsigned{run.length});
    std::fputs("};\n", out);
}

struct Tables {
    DoubleByteTable gbk, big5, gb18030;
    std::vector<FourByteRun> runs;
    std::vector<SupplementaryCode> supplementary;
};

void writeSource(std::FILE* out, const Tables& tables) {
    std::fputs("// Generated by tolvane_codepage_generate from the system's iconv; do not edit.\n"
               "#include \"platform/codepage_tables.h\"\n\n"
               "namespace tolvane::tables {\n\n",
               out);
    writeTable(out, "kGbk", tables.gbk);
    writeTable(out, "kBig5", tables.big5);
    writeTable(out, "kGb18030", tables.gb18030);
    std::fputs("namespace {\n", out);
    writeRuns(out, "kRunsByIndex", tables.runs);
    std::vector<FourByteRun> byUnit = tables.runs;
    std::ranges::sort(byUnit, {}, &FourByteRun::firstUnit);
    writeRuns(out, "kRunsByUnit", byUnit);
    std::fputs("const SupplementaryCode kSupplementaryCodes[] = {\n", out);
    for (const SupplementaryCode& two : tables.supplementary)
        std::fprintf(out, "    {%u, %u},\n", unsigned{two.code},
                     static_cast<unsigned>(two.character));
    std::fputs("};\n} // namespace\n\n"
               "const std::span<const FourByteRun> kGb18030RunsByIndex{kRunsByIndex};\n"
               "const std::span<const FourByteRun> kGb18030RunsByUnit{kRunsByUnit};\n"
               "const std::span<const SupplementaryCode> kGb18030SupplementaryCodes{\n"
               "    kSupplementaryCodes};\n\n"
               "} // namespace tolvane::tables\n",
               out);
}

void tabulateAll(Tables& tables) {
    // Only GB18030 has characters beyond U+FFFF; the converter knows of no others.
    if (!tabulate("CP936", tables.gbk).empty() || !tabulate("CP950", tables.big5).empty())
        throw std::runtime_error("a two-byte code of code page 936 or 950 is beyond U+FFFF");
    tables.supplementary = tabulate("GB18030", tables.gb18030);
    Iconv toUtf32("UTF-32LE", "GB18030");
    Iconv fromUtf32("GB18030", "UTF-32LE");
    tables.runs = fourByteRuns(toUtf32);
    checkFourByteEncoding(fromUtf32, tables.runs, tables.supplementary);
}

} // namespace

} // namespace tolvane

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    auto tables = std::make_unique<tolvane::Tables>();
    try {
        tolvane::tabulateAll(*tables);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tolvane_codepage_generate: %s\n", error.what());
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) return 1;
    tolvane::writeSource(out, *tables);
    return std::fclose(out) == 0 ? 0 : 1;
}
