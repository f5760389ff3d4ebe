#pragma once

#include <string>
#include <string_view>

namespace orvanix {

// Decodes a value cut out of JSON or script text, as a script string literal in
// single quotes passed through unescape, to GBK text:
// - a CR LF pair is kept, a carriage return at the very start is dropped;
// - "\u" becomes "%u" before anything else (so "\\u0041" gives "A");
// - literal escapes: \b \t \n \f \r, \" \\, \xHH, one to three octal digits (at most
//   377), \v and any other escaped character give that character;
// - then "%uHHHH" gives that UTF-16 unit and "%HH" the character U+00HH; any other
//   "%" and "+" stay;
// - a U+0000 ends the result; characters outside GBK become "?".
// Gives the empty text where the literal is broken: a carriage return or line feed
// that is neither in a CR LF pair nor escaped, a final unescaped backslash, or a
// stray quote that would end the literal early. Nothing is ever evaluated.
std::string escapeDecoding(std::string_view text);

}  // namespace orvanix
