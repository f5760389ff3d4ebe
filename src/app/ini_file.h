#pragma once

#include <string>
#include <string_view>

// Reading and writing one value of an INI file on disk, with the text rules of
// ini_file_text.h. Safe to call from any thread.
namespace orvanix {

// The value of `key` in `section` of the file at `path`; empty when the file,
// the section or the key is missing, or the file cannot be read.
std::string readIniValue(const std::string& path, std::string_view section, std::string_view key);

// Sets `key` of `section` to `value` in the file at `path`, creating the file
// when it does not exist. The new contents go to a temporary file beside it,
// which then replaces the file in one step, so the file is never left half
// written. Returns false when nothing was written: the file exists but cannot
// be read, the folder cannot be written, the disk is full, or a name is unfit.
// The file then stays as it was.
bool writeIniValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value);

}  // namespace orvanix
