#include "persistence/MultiOptions.h"

#include <unordered_map>

namespace qm {

std::unique_ptr<TPersistObj> TMultiOptions::CreateItem() { return std::make_unique<TOptionsList>(); }

TOptionsList* TMultiOptions::SectionAt(int index) {
  auto* section = static_cast<TOptionsList*>(Item(index));
  section->SectionIndex = index;
  return section;
}

TOptionsList* TMultiOptions::NewSection() { return SectionAt(AddNew()); }

TOptionsList* TMultiOptions::FindSection(const std::string& name) {
  for (int i = 0; i < Count(); ++i) {
    TOptionsList* section = SectionAt(i);
    if (section->SectionName == name) return section;
  }
  return nullptr;
}

TOptionsList* TMultiOptions::GetSection(const std::string& name) {
  if (TOptionsList* section = FindSection(name)) return section;
  TOptionsList* section = NewSection();
  section->SectionName = name;
  return section;
}

std::string TMultiOptions::SectionText() {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    TOptionsList* section = SectionAt(i);
    text += "[" + section->SectionName + "]\r\n";
    text += section->Text();
    text += "\r\n";
  }
  return text;
}

namespace {

bool IsHeader(const std::string& line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

} // namespace

void TMultiOptions::SetSectionText(const std::string& text) {
  Clear();
  // Sections met so far by name, so that a text with many headers loads in
  // linear time.
  std::unordered_map<std::string, TOptionsList*> byName;
  TOptionsList* current = nullptr;
  for (const std::string& line : SplitLines(text)) {
    if (IsHeader(line)) {
      std::string name = line.substr(1, line.size() - 2);
      auto [it, fresh] = byName.try_emplace(name, nullptr);
      if (fresh) {
        it->second = NewSection();
        it->second->SectionName = std::move(name);
      }
      current = it->second;
      current->Clear();
    } else if (!line.empty() && current) {
      current->Add(line);
    }
  }
}

void TMultiOptions::SaveToStream(TStream& stream) { stream.WriteString(SectionText()); }

void TMultiOptions::LoadFromStream(TStream& stream) {
  Clear();
  SetSectionText(stream.ReadRest());
}

} // namespace qm
