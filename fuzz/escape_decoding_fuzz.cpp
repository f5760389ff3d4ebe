// Escape decoding of arbitrary bytes: never a crash, never a zero byte, and text with
// nothing to decode comes back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "web/escape_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string decoded = orvanix::escapeDecoding(input);
    if (decoded.find('\0') != std::string::npos) std::abort();

    bool plain = true;
    for (const char c : input) {
        const auto b = static_cast<unsigned char>(c);
        plain = plain && b >= 0x20 && b < 0x7F && c != '\\' && c != '%' && c != '{' && c != '\'';
    }
    if (plain && decoded != input) std::abort();
    return 0;
}
