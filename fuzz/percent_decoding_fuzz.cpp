// Percent decoding and URL encoding of arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "web/code_page.h"
#include "web/url_coding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const std::string decoded = orvanix::percentDecoding(input);
    if (decoded.find('\0') != std::string::npos) std::abort();

    // Encoding gives three bytes per byte, and decoding the GBK form's UTF-8 encoding
    // gives back the GBK text (a text ends at its first zero byte).
    const std::string_view text = input.substr(0, input.find('\0'));
    if (orvanix::urlEncoding(text, false).size() != 3 * text.size()) std::abort();
    const std::string utf8 = orvanix::gbkToUtf8(text);
    if (orvanix::percentDecoding(orvanix::urlEncoding(text, true)) != orvanix::utf8ToGbk(utf8))
        std::abort();
    return 0;
}
