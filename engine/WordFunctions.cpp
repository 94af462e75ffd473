#include "engine/WordFunctions.h"

#include "engine/CharClassTable.h"

#include <algorithm>

namespace qm {

namespace {

// The line's text when line and column lie inside the document.
const std::u16string* LineAt(const TSynEdit& editor, int line, int column) {
  if (line < 1 || line > editor.LineCount()) return nullptr;
  const std::u16string& text = editor.LineText(line);
  if (column < 1 || column > static_cast<int>(text.size())) return nullptr;
  return &text;
}

// "-", ".", "/", digits, ":", "@", letters, "\", "_".
bool IsLinkChar(char16_t ch) {
  return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'-' && ch <= u':') || ch == u'@' ||
         ch == u'\\' || ch == u'_';
}

struct LinkCounts {
  int at = 0, colons = 0, dots = 0, slashes = 0, lastDot = 0;
};

void Count(LinkCounts& counts, char16_t ch) {
  if (ch == u'@') ++counts.at;
  else if (ch == u':') ++counts.colons;
  else if (ch == u'.') ++counts.dots;
  else if (ch == u'/' || ch == u'\\') ++counts.slashes;
}

} // namespace

bool WordBoundsAt(const TSynEdit& editor, int line, int column, int& start, int& end) {
  const std::u16string* text = LineAt(editor, line, column);
  if (!text) return false;
  const auto at = [&](int i) { return (*text)[static_cast<size_t>(i - 1)]; };
  const int n = static_cast<int>(text->size());
  start = end = column;
  for (int i = column; i <= n && !IsSeparator(at(i)); ++i) end = i;
  for (int i = column; i >= 1 && !IsSeparator(at(i)); --i) start = i;
  for (int k = start; k <= end; ++k)
    if (!IsEdge(at(k))) {
      start = k;
      break;
    }
  for (int k = end; k >= start; --k)
    if (!IsEdge(at(k))) {
      end = k;
      break;
    }
  return start <= column && column <= end;
}

bool IsLinkAt(const TSynEdit& editor, int line, int column, int& start, int& end) {
  const std::u16string* text = LineAt(editor, line, column);
  if (!text) return false;
  const auto at = [&](int i) { return (*text)[static_cast<size_t>(i - 1)]; };
  const int n = static_cast<int>(text->size());
  start = end = column;
  if (!IsLinkChar(at(column))) return false;

  // Full stops that end the token are sentence punctuation, not part of a
  // file or host name: "tset." is a word at the end of a sentence.
  int limit = column;
  while (limit < n && IsLinkChar(at(limit + 1))) ++limit;
  while (limit > column && at(limit) == u'.') --limit;

  LinkCounts counts;
  start = end = column;
  for (int i = column; i >= 1 && IsLinkChar(at(i)); --i) {
    Count(counts, at(i));
    if (at(i) == u'.' && counts.lastDot == 0) counts.lastDot = i;
    start = i;
  }
  for (int i = column; i <= limit && IsLinkChar(at(i)); ++i) {
    Count(counts, at(i));
    if (at(i) == u'.') counts.lastDot = i;
    end = i;
  }
  return (counts.colons <= 1 && counts.dots > 0 && counts.lastDot + 3 >= end) || counts.slashes > 1;
}

void WordAt(const TSynEdit& editor, TBufferCoord position, int& start, int& end, std::u16string& word) {
  word.clear();
  if (IsLinkAt(editor, position.Line, position.Char, start, end)) return;
  if (WordBoundsAt(editor, position.Line, position.Char, start, end) && end >= start)
    word = editor.LineText(position.Line).substr(static_cast<size_t>(start - 1), static_cast<size_t>(end - start + 1));
}

void WordAtCaret(const TSynEdit& editor, TBufferCoord& position, std::u16string& word) {
  int start = position.Char;
  int end = position.Char;
  WordAt(editor, position, start, end, word);
  const bool within = position.Line >= 1 && position.Line <= editor.LineCount() && position.Char >= 1 &&
                      position.Char <= static_cast<int>(editor.LineText(position.Line).size());
  if (within)
    position.Char = start;
  else
    word.clear();
}

void ReplaceWordAtCaret(TSynEdit& editor, const std::u16string& text) {
  const TBufferCoord caret = editor.CaretXY();
  int start = 0;
  int end = 0;
  if (WordBoundsAt(editor, caret.Line, caret.Char, start, end) && end >= start)
    editor.ReplaceRange({start, caret.Line}, {end + 1, caret.Line}, text);
}

void ScrollToLine(TSynEdit& editor, int row) {
  editor.SetTopRow(std::clamp(row, 1, std::max(1, editor.RowCount())));
  editor.Repaint();
}

} // namespace qm
