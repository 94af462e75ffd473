// Small string helpers shared by the diagnostics, settings and feedback code.
// All work on byte strings except WideCopy; positions count from 1.
#pragma once

#include "platform/Stream.h"

#include <cstdint>
#include <string>

namespace qm {

// Field number index (from 0) of s, fields separated by separator; empty
// when there is no such field.
std::string GetField(const std::string& s, int index, char separator);

// 0 for an empty s, else 1 + the number of separators.
int CountFields(const std::string& s, char separator);

// Every non-overlapping occurrence of find, left to right, replaced;
// an empty find changes nothing.
std::string ReplaceAll(const std::string& s, const std::string& find, const std::string& replacement);

// Runs of bytes 0..32 before a visible byte become one space; trailing
// white space is dropped.
std::string CollapseSpaces(const std::string& s);

// The part of s after the first startMarker and before the next endMarker,
// found in the ASCII lower-case form of s (markers are given in lower case).
// An empty startMarker starts at the beginning; a missing one gives "".
// An empty or missing endMarker runs to the end.
std::string ExtractBetween(const std::string& s, const std::string& startMarker, const std::string& endMarker);

// Appends "\" to a non-empty s that does not end in one (Windows-style
// layout strings keep their backslashes on every platform).
std::string IncludeTrailingBackslash(const std::string& s);

// s padded with spaces to 4 bytes; its first 4 bytes as little-endian.
uint32_t FourCharCode(const std::string& s);

// count code units from 1-based index; index below 1 counts as 1, count <= 0
// or an index past the end gives empty, a count past the end is cut there.
std::u16string WideCopy(const std::u16string& s, int index, int count);

// The whole content of stream from position 0; leaves the position at the end.
std::string StreamToString(TStream& stream);

// RFC 4648 Base64, standard alphabet, "=" padding, no line breaks.
std::string Base64Encode(const std::string& bytes);

// Tolerant Base64: "+" and blank stand for 62, "/" for 63, other bytes outside
// the alphabet are skipped, the first "=" ends the text. A final group of two
// or three symbols yields one or two bytes; a lone final symbol yields none.
std::string Base64Decode(const std::string& text);

// Form-value encoding: blank becomes "+", letters, digits and
// ! $ ' ( ) * , - . = _ are kept, every other byte becomes "%XX".
std::string UrlEncode(const std::string& bytes);

} // namespace qm
