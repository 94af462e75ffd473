// Section text of any bytes loads without failing; saving and loading again
// gives the same sections.
#include "persistence/MultiOptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qm::TMultiOptions options;
  options.SetSectionText(std::string(reinterpret_cast<const char*>(data), size));
  const std::string saved = options.SectionText();
  qm::TMultiOptions again;
  again.SetSectionText(saved);
  if (again.SectionText() != saved) std::abort();
  for (int i = 0; i < options.Count(); ++i) {
    qm::TOptionsList* section = options.SectionAt(i);
    if (section->Count() > 0) section->Value(section->Name(0));
  }
  return 0;
}
