// An ordered list of 8-bit text lines: sorted or not, duplicates ignored,
// accepted or refused, case-sensitive or not, with name=value access and the
// whole text joined by CR LF.
#pragma once

#include "platform/Stream.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace qm {

class EStringListError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
public:
  TStringList() = default;
  TStringList(const TStringList& other) { CopyLinesFrom(other); }
  TStringList& operator=(const TStringList& other);
  virtual ~TStringList() = default;

  int Count() const { return static_cast<int>(lines_.size()); }
  bool Empty() const { return lines_.empty(); }
  const std::string& operator[](int index) const { return Get(index); }
  const std::string& Get(int index) const;
  void Put(int index, const std::string& line);
  const std::vector<std::string>& Lines() const { return lines_; }

  // Sorted lists insert in order and apply Duplicates(); others append.
  // Answers the line's index (the existing one when a duplicate is ignored).
  int Add(const std::string& line);
  void Insert(int index, const std::string& line);
  void Delete(int index);
  void Move(int from, int to);
  virtual void Clear();

  // Index of a whole line / of the line whose name matches; -1 when none.
  virtual int FindLine(const std::string& line) const;
  virtual int FindName(const std::string& name) const;
  int IndexOf(const std::string& line) const { return FindLine(line); }
  int IndexOfName(const std::string& name) const { return FindName(name); }
  // Binary search of a sorted list: true when found; index is where the line
  // is or would be inserted.
  bool Find(const std::string& line, int& index) const;

  // name=value access. A line's name is the text before its first "=".
  std::string Name(int index) const;
  std::string ValueFromIndex(int index) const;
  std::string Value(const std::string& name) const;
  // A non-empty value replaces the named line (or appends one); an empty value
  // deletes it.
  void SetValue(const std::string& name, const std::string& value);

  // Every line followed by CR LF.
  std::string Text() const;
  // Lines split at CR LF, lone CR or lone LF; a NUL byte ends the text.
  void SetText(const std::string& text);
  void AddStrings(const std::vector<std::string>& lines);

  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  // Raises EFileError; a save replaces the file atomically.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  // Copies the lines (not the sorting or case settings).
  virtual void CopyLinesFrom(const TStringList& source);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

  // Three-way comparison under the list's case setting.
  int CompareStrings(const std::string& a, const std::string& b) const;

protected:
  // Called after every change to the lines.
  virtual void Changed() {}

private:
  void CheckIndex(int index) const;
  void Sort();

  std::vector<std::string> lines_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = TDuplicates::dupIgnore;
};

// Splits text into lines the way SetText does.
std::vector<std::string> SplitLines(const std::string& text);

} // namespace qm
