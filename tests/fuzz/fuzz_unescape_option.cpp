// Unescaping arbitrary stored values must not fault, and escaping followed by
// unescaping must give any byte string back.
#include "persistence/OptionEscaping.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string unescaped = qm::UnescapeOptionValue(input);
  if (unescaped.size() > input.size()) std::abort();
  if (qm::UnescapeOptionValue(qm::EscapeOptionValue(input)) != input) std::abort();
  return 0;
}
