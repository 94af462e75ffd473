// Finding words in the editor's text: the word around a column, link-like
// tokens (paths, URLs, e-mail addresses, file names) that are never checked,
// the word under the caret, replacing it, and scrolling to a row.
// Columns and lines are 1-based.
#pragma once

#include "engine/SynEdit.h"

#include <string>

namespace qm {

// The word around column C of line L, cut with the character classes:
// false when L or C is outside the document; otherwise start and end are set
// and the answer is whether C lies within the trimmed word.
bool WordBoundsAt(const TSynEdit& editor, int line, int column, int& start, int& end);

// Whether column C of line L lies inside a path, URL, e-mail address or file
// name; start and end are the link token's bounds.
bool IsLinkAt(const TSynEdit& editor, int line, int column, int& start, int& end);

// The checkable word at a position: empty inside a link token. Whenever the
// column lies within its line, start and end are set.
void WordAt(const TSynEdit& editor, TBufferCoord position, int& start, int& end, std::u16string& word);

// WordAt at position; within the line, position's column moves to the start
// found. Outside the line, position stays and word is empty.
void WordAtCaret(const TSynEdit& editor, TBufferCoord& position, std::u16string& word);

// Replaces the word around the caret by text as one undoable edit.
void ReplaceWordAtCaret(TSynEdit& editor, const std::u16string& text);

// Top row := row clamped to 1..RowCount, then an immediate repaint.
void ScrollToLine(TSynEdit& editor, int row);

} // namespace qm
