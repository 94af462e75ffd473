#include "platform/StringList.h"

#include "platform/CaseMap.h"
#include "platform/FileStream.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstring>

namespace qm {

TStringList& TStringList::operator=(const TStringList& other) {
  if (this != &other) CopyLinesFrom(other);
  return *this;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStringList::Get(int index) const {
  CheckIndex(index);
  return lines_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& line) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index);
  lines_[static_cast<size_t>(index)] = line;
  Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  if (caseSensitive_) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  return CompareTextUtf8(a, b);
}

bool TStringList::Find(const std::string& line, int& index) const {
  auto at = std::lower_bound(lines_.begin(), lines_.end(), line,
                             [this](const std::string& a, const std::string& b) { return CompareStrings(a, b) < 0; });
  index = static_cast<int>(at - lines_.begin());
  return at != lines_.end() && CompareStrings(*at, line) == 0;
}

int TStringList::Add(const std::string& line) {
  if (!sorted_) {
    lines_.push_back(line);
    Changed();
    return Count() - 1;
  }
  int index = 0;
  if (Find(line, index)) {
    if (duplicates_ == TDuplicates::dupIgnore) return index;
    if (duplicates_ == TDuplicates::dupError) throw EStringListError("String list does not allow duplicates");
  }
  lines_.insert(lines_.begin() + index, line);
  Changed();
  return index;
}

void TStringList::Insert(int index, const std::string& line) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  if (index < 0 || index > Count())
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
  lines_.insert(lines_.begin() + index, line);
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  lines_.erase(lines_.begin() + index);
  Changed();
}

void TStringList::Move(int from, int to) {
  if (from == to) return;
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(from);
  CheckIndex(to);
  std::string line = std::move(lines_[static_cast<size_t>(from)]);
  lines_.erase(lines_.begin() + from);
  lines_.insert(lines_.begin() + to, std::move(line));
  Changed();
}

void TStringList::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  Changed();
}

int TStringList::FindLine(const std::string& line) const {
  if (sorted_) {
    int index = 0;
    return Find(line, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(lines_[static_cast<size_t>(i)], line) == 0) return i;
  return -1;
}

int TStringList::FindName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& line = lines_[static_cast<size_t>(i)];
    const size_t eq = line.find('=');
    if (eq != std::string::npos && CompareStrings(line.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

std::string TStringList::Name(int index) const {
  const std::string& line = Get(index);
  const size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& line = Get(index);
  const size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TStringList::Value(const std::string& name) const {
  const int index = FindName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStringList::SetValue(const std::string& name, const std::string& value) {
  const int index = FindName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  const std::string line = name + "=" + value;
  if (index < 0) {
    Add(line);
  } else if (sorted_) {
    Delete(index);
    Add(line);
  } else {
    Put(index, line);
  }
}

std::string TStringList::Text() const {
  size_t total = 0;
  for (const auto& line : lines_) total += line.size() + 2;
  std::string text;
  text.reserve(total);
  for (const auto& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  const size_t end = std::min(text.size(), std::strlen(text.c_str()));  // a NUL ends the text
  size_t start = 0;
  while (start < end) {
    size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string::npos || stop > end) stop = end;
    lines.emplace_back(text, start, stop - start);
    if (stop < end && text[stop] == '\r' && stop + 1 < end && text[stop + 1] == '\n') ++stop;
    start = stop + 1;
  }
  return lines;
}

void TStringList::SetText(const std::string& text) {
  std::vector<std::string> lines = SplitLines(text);
  lines_.clear();
  if (sorted_) {
    AddStrings(lines);
  } else {
    lines_ = std::move(lines);
  }
  Changed();
}

void TStringList::AddStrings(const std::vector<std::string>& lines) {
  for (const auto& line : lines) Add(line);
}

void TStringList::LoadFromStream(TStream& stream) { SetText(stream.ReadRest()); }

void TStringList::SaveToStream(TStream& stream) const { stream.WriteString(Text()); }

void TStringList::LoadFromFile(const std::string& path) { SetText(ReadFileBytes(path)); }

void TStringList::SaveToFile(const std::string& path) const { WriteFileAtomically(path, Text()); }

void TStringList::CopyLinesFrom(const TStringList& source) {
  if (this == &source) return;
  lines_.clear();
  if (sorted_) {
    AddStrings(source.lines_);
  } else {
    lines_ = source.lines_;
  }
  Changed();
}

void TStringList::Sort() {
  std::stable_sort(lines_.begin(), lines_.end(),
                   [this](const std::string& a, const std::string& b) { return CompareStrings(a, b) < 0; });
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (sorted_) Sort();
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}

} // namespace qm
