// Keyword lookup for lexers: words and their token kinds, hashed into an
// open-addressing table once per lexer object. Lookups do not allocate.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class TKeywordTable {
public:
  struct Entry {
    std::u16string_view word;
    int kind;
  };

  TKeywordTable() = default;
  // ASCII words; a word listed twice keeps its first kind.
  void Add(std::string_view word, int kind);
  void Add(std::initializer_list<std::string_view> words, int kind);
  // The kind of word, or fallback when it is not in the table.
  int Find(std::u16string_view word, int fallback) const;
  size_t Size() const { return words_.size(); }

private:
  static uint32_t Hash(std::u16string_view word);
  void Rehash(size_t slots);

  std::vector<std::u16string> words_;
  std::vector<int> kinds_;
  std::vector<int32_t> slots_;  // index into words_, -1 when empty
};

} // namespace qm
