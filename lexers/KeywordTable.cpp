#include "lexers/KeywordTable.h"

namespace qm {

uint32_t TKeywordTable::Hash(std::u16string_view word) {
  uint32_t hash = 2166136261u;  // FNV-1a over the code units
  for (char16_t ch : word) {
    hash ^= ch;
    hash *= 16777619u;
  }
  return hash;
}

void TKeywordTable::Rehash(size_t slots) {
  slots_.assign(slots, -1);
  for (size_t i = 0; i < words_.size(); ++i) {
    size_t at = Hash(words_[i]) & (slots - 1);
    while (slots_[at] >= 0) at = (at + 1) & (slots - 1);
    slots_[at] = static_cast<int32_t>(i);
  }
}

void TKeywordTable::Add(std::string_view word, int kind) {
  std::u16string wide(word.begin(), word.end());
  if (!slots_.empty() && Find(wide, -1) != -1) return;
  words_.push_back(std::move(wide));
  kinds_.push_back(kind);
  // Keep the table at most half full.
  size_t slots = slots_.empty() ? 16 : slots_.size();
  while (slots < words_.size() * 2) slots *= 2;
  Rehash(slots);
}

void TKeywordTable::Add(std::initializer_list<std::string_view> words, int kind) {
  for (std::string_view word : words) Add(word, kind);
}

int TKeywordTable::Find(std::u16string_view word, int fallback) const {
  if (slots_.empty()) return fallback;
  const size_t mask = slots_.size() - 1;
  for (size_t at = Hash(word) & mask;; at = (at + 1) & mask) {
    const int32_t index = slots_[at];
    if (index < 0) return fallback;
    if (words_[static_cast<size_t>(index)] == word) return kinds_[static_cast<size_t>(index)];
  }
}

} // namespace qm
