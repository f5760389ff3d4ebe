// HTML-to-text on arbitrary bytes, checked against the regular expression it stands
// for (on short inputs: the expression itself slows down on long unclosed blocks).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "web/html_to_text.h"
#include "web/regex_object.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string text = orvanix::htmlToText(input);
    if (size <= 4096) {
        orvanix::RegexObject regex;
        if (regex.execute(orvanix::kHtmlMarkupPattern, input) && regex.replace("") != text)
            std::abort();
    }
    return 0;
}
