// The stored form of option values, and the scrambled form of the proxy
// password.
#pragma once

#include <string>

namespace qm {

// Bytes below 0x20, above 0x7F and "%" become "%XX" (upper-case hex), so an
// escaped value is printable ASCII without line breaks.
std::string EscapeOptionValue(const std::string& bytes);

// Plain form: "%XX" with upper-case hex digits gives the byte, any other "%"
// stays. Quoted form (first and last byte "%", a single "%" included): the
// text between the quotes, where "%%" is one "%" and "%xx" (either case) the
// byte; then each NUL marker becomes a NUL byte.
std::string UnescapeOptionValue(const std::string& text);

// The 10-byte stand-in for a NUL byte in the quoted form.
extern const std::string kOptionNulMarker;

// XOR with a fixed 17-byte key, then Base64. Empty gives empty.
std::string ScrambleText(const std::string& text);

// Tolerant Base64 decoding (Base64Decode), then the same XOR.
std::string UnscrambleText(const std::string& text);

} // namespace qm
