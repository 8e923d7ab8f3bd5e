// What glibc's iconv says about code page 936.

#include "platform/codepage_system.h"

#include <algorithm>
#include <array>
#include <iconv.h>
#include <stdexcept>

namespace tolvane {

namespace {

// iconv defines the code page; it is asked once about every byte sequence and
// every code unit, and the answers are kept in tables that the loops use.
class Iconv {
  public:
    Iconv(const char* to, const char* from) : handle_(::iconv_open(to, from)) {
        // iconv_open reports failure as the handle (iconv_t)-1.
        if (handle_ == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error("iconv cannot convert code page 936");
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

// The one code unit a converted sequence gave, or 0 when it gave something else.
char16_t singleUnit(const std::array<std::uint8_t, 8>& out, std::size_t size) {
    if (size != 2) return 0;
    return static_cast<char16_t>(out[0] | (out[1] << 8));
}

} // namespace

char16_t systemDecode936(std::span<const std::uint8_t> bytes) {
    static Iconv toUtf16("UTF-16LE", "CP936");
    std::array<std::uint8_t, 8> out{};
    return singleUnit(out, toUtf16.convert(bytes.data(), bytes.size(), out.data(), out.size()));
}

std::size_t systemEncode936(char16_t unit, std::array<std::uint8_t, 2>& out) {
    static Iconv fromUtf16("CP936", "UTF-16LE");
    const std::array<std::uint8_t, 2> in{static_cast<std::uint8_t>(unit & 0xFF),
                                         static_cast<std::uint8_t>(unit >> 8)};
    std::array<std::uint8_t, 8> converted{};
    const std::size_t size = fromUtf16.convert(in.data(), 2, converted.data(), converted.size());
    if (size > out.size()) return 0;
    std::copy_n(converted.begin(), size, out.begin());
    return size;
}

} // namespace tolvane
