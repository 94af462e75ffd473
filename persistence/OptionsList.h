// Lines of name=value text with hashed, case-insensitive lookup by name, in
// insertion order; duplicates allowed and the last line of a name wins. It is
// the unit of everything stored: the settings, and each section of a
// sectioned option file.
#pragma once

#include "persistence/PersistObj.h"
#include "platform/StringList.h"

#include <string>
#include <unordered_map>

namespace qm {

class TOptionsList : public TStringList, public TPersistObj {
public:
  TOptionsList();

  std::string SectionName;
  int32_t SectionIndex = 0;

  // Copies the lines, and the section name and index.
  void CopyLinesFrom(const TStringList& source) override;
  int FindLine(const std::string& line) const override;
  int FindName(const std::string& name) const override;

  // As text: every line followed by CR LF.
  void SaveToStream(TStream& stream) override { TStringList::SaveToStream(stream); }
  void LoadFromStream(TStream& stream) override { TStringList::LoadFromStream(stream); }

protected:
  void Changed() override;

private:
  using Index = std::unordered_map<std::string, int>;
  void BuildIndexes() const;

  // Folded name / folded line -> position of its last line; built on the
  // first lookup after a change.
  mutable Index names_;
  mutable Index lines_;
  mutable bool indexed_ = false;
};

// The provisional name every new section carries until it is given one.
std::string ProvisionalSectionName();

} // namespace qm
