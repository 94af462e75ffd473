// An ordered list of named option sections, stored as bracketed-section text:
//   [name]        a header: "[" first, "]" last, at least two characters
//   line          verbatim lines of that section
//   (empty line)  after each section; every line ends in CR LF
// Reading accepts CR LF, lone CR and lone LF, stops at a NUL byte, drops empty
// lines and lines above the first header, and a repeated header empties its
// section, which keeps the position of its first occurrence.
#pragma once

#include "persistence/OptionsList.h"
#include "persistence/PersistObj.h"

#include <string>

namespace qm {

class TMultiOptions : public TPersistObjList {
public:
  std::unique_ptr<TPersistObj> CreateItem() override;

  TOptionsList* NewSection();
  // Finds the section by exact name, or appends one with that name.
  TOptionsList* GetSection(const std::string& name);
  // The first section whose name equals name byte for byte; none when absent.
  TOptionsList* FindSection(const std::string& name);
  // The section at index, after storing index into its SectionIndex.
  TOptionsList* SectionAt(int index);

  void SaveToStream(TStream& stream) override;
  void LoadFromStream(TStream& stream) override;

  // The section text of the whole list.
  std::string SectionText();
  void SetSectionText(const std::string& text);
};

} // namespace qm
