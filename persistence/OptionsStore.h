// Typed, escaped values in an option list, and the settings file with its
// defaults. Values are stored escaped (see OptionEscaping.h); writing an empty
// value removes the key, so an absent key and an empty value are the same.
#pragma once

#include "persistence/OptionsList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

std::string ReadOptionString(const TOptionsList& list, const std::string& key);
void WriteOptionString(TOptionsList& list, const std::string& key, const std::string& text);
// True exactly when the stored text is "TRUE".
bool ReadOptionBool(const TOptionsList& list, const std::string& key);
void WriteOptionBool(TOptionsList& list, const std::string& key, bool value);
// Decimal text; anything that is not a 32-bit integer gives fallback.
int32_t ReadOptionInteger(const TOptionsList& list, const std::string& key, int32_t fallback);
void WriteOptionInteger(TOptionsList& list, const std::string& key, int32_t value);
// A list of lines, stored joined by CR LF.
std::vector<std::string> ReadOptionLines(const TOptionsList& list, const std::string& key);
void WriteOptionLines(TOptionsList& list, const std::string& key, const std::vector<std::string>& lines);

// Text-to-integer as the settings read it: optional sign and decimal digits
// only; fallback for anything else or a value outside 32 bits.
int32_t TextToInteger(const std::string& text, int32_t fallback);

// Fills options from the file at path (when it exists and can be read; a
// failed read keeps what was loaded) and then writes the default of every key
// that is still empty. Answers true when the file was read.
bool LoadOptions(TOptionsList& options, const std::string& path);
// Writes options as text to path, replacing the file atomically; false on any
// error, with the old file left as it was.
bool SaveOptions(const TOptionsList& options, const std::string& path);

} // namespace qm
