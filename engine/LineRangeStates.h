// The lexer's range state after every line of a document, as an editor keeps
// it: computed on demand from the first line whose state is unknown, and kept
// across edits. After lines are replaced, the states above them stay valid;
// re-lexing from the edited lines stops as soon as a line after them ends in
// the state it ended in before the edit, because every following line then
// starts, and so ends, as before.
#pragma once

#include "lexers/SynHighlighter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

class TLineRangeStates {
public:
  // Every state unknown: a new document, or another lexer.
  void Reset(int lineCount);
  // Lines first .. first + removed - 1 (0-based) were replaced by inserted
  // lines; the lines after them are unchanged.
  void LinesReplaced(int first, int removed, int inserted);

  // The state before the 0-based line index: the lexer's reset state for the
  // first line, else the state after the line above, lexing what is not yet
  // known. An index past the last line gives the state after the last line.
  uint32_t StateBefore(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines, int index);

  int LineCount() const { return static_cast<int>(after_.size()); }
  // Lines whose state is known to be current (from the top).
  int KnownLines() const { return known_; }
  // How many lines were lexed so far, for checking the re-lexing work.
  int64_t LexedLines() const { return lexed_; }

private:
  void LexThrough(TSynCustomHighlighter& lexer, const std::vector<std::u16string>& lines, int last);
  void Normalise();

  std::vector<uint32_t> after_;  // state after each line
  // Lines [0, known_) hold their current state. Lines [tail_, size) hold the
  // state that lexing them from the stored state of the line above gives, so
  // once that line is re-lexed to its stored state, they are all current.
  int known_ = 0;
  int tail_ = 0;
  int64_t lexed_ = 0;
};

} // namespace qm
