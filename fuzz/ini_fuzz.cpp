// Reads and writes values in arbitrary INI text: nothing may crash, a written
// value must read back, and no other value may change.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ini_file_text.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvanix;
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    const std::string key = input.ConsumeRandomLengthString(16);
    const std::string otherSection = input.ConsumeRandomLengthString(16);
    const std::string otherKey = input.ConsumeRandomLengthString(16);
    const std::string value = input.ConsumeRandomLengthString(64);
    const std::string contents = input.ConsumeRemainingBytesAsString();

    const auto otherBefore = findIniValue(contents, otherSection, otherKey);
    findIniValue(contents, section, key);
    if (!isWritableIniName(section, key)) return 0;

    const std::string written = withIniValue(contents, section, key, value);
    // What a read gives back: the value's first line, as a file holding only it reads.
    const std::string alone = "[" + section + "]\r\n" + key + "=" +
                              value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
    check(findIniValue(written, section, key) == findIniValue(alone, section, key));
    if (!(iniNamesEqual(section, otherSection) && iniNamesEqual(key, otherKey))) {
        check(findIniValue(written, otherSection, otherKey) == otherBefore);
    }
    // Writing the same value again changes nothing.
    check(withIniValue(written, section, key, value) == written);
    return 0;
}
