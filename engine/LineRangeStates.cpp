#include "engine/LineRangeStates.h"

#include "lexers/LexerHost.h"

#include <algorithm>

namespace qm {

void TLineRangeStates::Reset(int lineCount) {
  after_.assign(static_cast<size_t>(std::max(lineCount, 0)), 0);
  known_ = 0;
  tail_ = LineCount();  // no stored state can be trusted
}

void TLineRangeStates::LinesReplaced(int first, int removed, int inserted) {
  const int oldCount = LineCount();
  first = std::clamp(first, 0, oldCount);
  removed = std::clamp(removed, 0, oldCount - first);
  inserted = std::max(inserted, 0);
  const int end = first + removed;

  // The new lines take the state the replaced block ended in (the line above
  // when nothing was replaced): the line after them was lexed from that value,
  // so it stays consistent with it.
  const bool carried = removed > 0 || first > 0;
  const uint32_t carry = carried ? after_[static_cast<size_t>(end - 1)] : 0;
  // Were all lines after the block consistent with the states above them?
  const bool restConsistent = tail_ <= std::max(end, known_);

  after_.erase(after_.begin() + first, after_.begin() + end);
  after_.insert(after_.begin() + first, static_cast<size_t>(inserted), carry);

  known_ = std::min(known_, first);
  const int afterBlock = first + inserted;
  if (restConsistent)
    tail_ = carried && inserted > 0 ? afterBlock : afterBlock + 1;
  else
    tail_ += inserted - removed;
  tail_ = std::clamp(tail_, 0, LineCount());
  Normalise();
}

uint32_t TLineRangeStates::StateBefore(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines,
                                       int index) {
  if (index > LineCount()) index = LineCount();
  if (index <= 0) {
    lexer.ResetRangeState();
    return lexer.RangeState();
  }
  LexThrough(lexer, lines, index - 1);
  return after_[static_cast<size_t>(index - 1)];
}

void TLineRangeStates::LexThrough(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines, int last) {
  while (known_ <= last) {
    const int line = known_;
    const uint32_t before = line == 0 ? 0 : after_[static_cast<size_t>(line - 1)];
    BeginLine(lexer, lines[static_cast<size_t>(line)], line, before);
    while (!lexer.AtLineEnd()) lexer.NextToken();
    const uint32_t state = lexer.RangeState();
    ++lexed_;
    uint32_t& stored = after_[static_cast<size_t>(line)];
    if (line + 1 >= tail_) {
      if (state == stored) {
        // The next line starts as it did when its state was stored.
        known_ = tail_ = LineCount();
        return;
      }
      tail_ = std::min(line + 2, LineCount());
    }
    stored = state;
    known_ = line + 1;
  }
}

void TLineRangeStates::Normalise() {
  // A current prefix followed by a consistent rest: everything is current.
  if (tail_ <= known_) known_ = tail_ = LineCount();
}

} // namespace qm
