#include "ui/EditorSearch.h"

#include "ui/SynEditWidget.h"

#include <QChar>

#include <algorithm>
#include <optional>

namespace qm {
namespace {

struct TRange {
  TBufferCoord Begin;
  TBufferCoord End;  // exclusive
};

bool Before(TBufferCoord a, TBufferCoord b) { return a.Line < b.Line || (a.Line == b.Line && a.Char < b.Char); }

char16_t Folded(char16_t c) { return QChar(c).toCaseFolded().unicode(); }

bool IsWordChar(char16_t c) { return c == u'_' || QChar(c).isLetterOrNumber(); }

int LineLength(const TSynEditWidget& editor, int line) { return static_cast<int>(editor.LineText(line).size()); }

// The selection when only it is searched and there is one, else the document.
TRange SearchScope(const TSynEditWidget& editor, uint8_t options) {
  if ((options & ssoSelectedOnly) && editor.SelAvail()) return {editor.BlockBegin(), editor.BlockEnd()};
  const int last = editor.LineCount();
  return {{1, 1}, {last > 0 ? LineLength(editor, last) + 1 : 1, std::max(last, 1)}};
}

// Narrows the scope to what lies after (or, backwards, before) the caret. A
// search inside the selection covers all of it: the caret sits on one of its
// edges.
TRange SearchRange(const TSynEditWidget& editor, uint8_t options) {
  TRange range = SearchScope(editor, options);
  if ((options & ssoEntireScope) || ((options & ssoSelectedOnly) && editor.SelAvail())) return range;
  const TBufferCoord caret = editor.CaretXY();
  if (options & ssoBackwards) {
    if (Before(caret, range.End)) range.End = caret;
  } else if (Before(range.Begin, caret)) {
    range.Begin = caret;
  }
  return range;
}

// The bounds of the columns (0-based, end exclusive) of line inside range.
std::pair<int, int> ColumnsOfLine(const TSynEditWidget& editor, const TRange& range, int line) {
  const int first = line == range.Begin.Line ? range.Begin.Char - 1 : 0;
  const int end = line == range.End.Line ? std::min(range.End.Char - 1, LineLength(editor, line))
                                         : LineLength(editor, line);
  return {first, end};
}

std::optional<TBufferCoord> FindForward(const TSynEditWidget& editor, const std::u16string& search,
                                        uint8_t options, const TRange& range) {
  const int n = static_cast<int>(search.size());
  for (int line = range.Begin.Line; line <= range.End.Line && line <= editor.LineCount(); ++line) {
    const auto [first, end] = ColumnsOfLine(editor, range, line);
    for (int at = first; at + n <= end; ++at)
      if (MatchesAt(editor.LineText(line), static_cast<size_t>(at), search, options)) return TBufferCoord{at + 1, line};
  }
  return std::nullopt;
}

std::optional<TBufferCoord> FindBackward(const TSynEditWidget& editor, const std::u16string& search,
                                         uint8_t options, const TRange& range) {
  const int n = static_cast<int>(search.size());
  for (int line = std::min(range.End.Line, editor.LineCount()); line >= range.Begin.Line; --line) {
    const auto [first, end] = ColumnsOfLine(editor, range, line);
    for (int at = end - n; at >= first; --at)
      if (MatchesAt(editor.LineText(line), static_cast<size_t>(at), search, options)) return TBufferCoord{at + 1, line};
  }
  return std::nullopt;
}

// Selects the occurrence with the caret at its far end in the direction of
// the search, and brings it into view.
void ShowOccurrence(TSynEditWidget& editor, TBufferCoord start, TBufferCoord end, bool backwards) {
  if (backwards)
    editor.SetSelection(end, start);
  else
    editor.SetSelection(start, end);
  editor.ensureCursorVisible();
}

// Where text inserted at start ends.
TBufferCoord EndOfInsertion(TBufferCoord start, const std::u16string& text) {
  const size_t lastBreak = text.rfind(u'\n');
  if (lastBreak == std::u16string::npos) return {start.Char + static_cast<int>(text.size()), start.Line};
  const auto breaks = static_cast<int>(std::count(text.begin(), text.end(), u'\n'));
  return {static_cast<int>(text.size() - lastBreak), start.Line + breaks};
}

// Moves a position that followed the replaced text [start, end) by what the
// replacement [start, newEnd) changed.
TBufferCoord Shifted(TBufferCoord position, TBufferCoord end, TBufferCoord newEnd) {
  if (position.Line != end.Line) return {position.Char, position.Line + newEnd.Line - end.Line};
  return {newEnd.Char + position.Char - end.Char, newEnd.Line};
}

} // namespace

bool MatchesAt(const std::u16string& text, size_t at, const std::u16string& search, uint8_t options) {
  if (search.empty() || at + search.size() > text.size()) return false;
  const bool matchCase = options & ssoMatchCase;
  for (size_t i = 0; i < search.size(); ++i) {
    const char16_t a = text[at + i];
    const char16_t b = search[i];
    if (a != b && (matchCase || Folded(a) != Folded(b))) return false;
  }
  if (!(options & ssoWholeWord)) return true;
  const size_t end = at + search.size();
  return (at == 0 || !IsWordChar(text[at - 1])) && (end == text.size() || !IsWordChar(text[end]));
}

int SearchReplace(TSynEditWidget& editor, const std::u16string& search, const std::u16string& replacement,
                  uint8_t options, const TReplaceTextHandler& askReplace) {
  if (search.empty()) return 0;
  const bool backwards = options & ssoBackwards;
  const bool replace = options & ssoReplace;
  bool all = options & ssoReplaceAll;
  bool ask = (options & ssoPrompt) && askReplace;
  TRange range = SearchRange(editor, options);
  int found = 0;
  for (;;) {
    const std::optional<TBufferCoord> hit =
        backwards ? FindBackward(editor, search, options, range) : FindForward(editor, search, options, range);
    if (!hit) break;
    ++found;
    const TBufferCoord start = *hit;
    const TBufferCoord end{start.Char + static_cast<int>(search.size()), start.Line};
    ShowOccurrence(editor, start, end, backwards);
    if (!replace) break;
    const TReplaceAction action = ask ? askReplace(search, replacement, start.Line, start.Char)
                                      : TReplaceAction::raReplace;
    if (action == TReplaceAction::raCancel) break;
    if (action == TReplaceAction::raReplaceAll) ask = false, all = true;
    if (action == TReplaceAction::raSkip) {
      (backwards ? range.End : range.Begin) = backwards ? start : end;
    } else {
      editor.ReplaceRange(start, end, replacement);
      const TBufferCoord newEnd = EndOfInsertion(start, replacement);
      editor.SetCaretXY(backwards ? start : newEnd);
      if (backwards) {
        range.End = start;
      } else {
        range.End = Shifted(range.End, end, newEnd);
        range.Begin = newEnd;
      }
    }
    if (!all) break;
  }
  return found;
}

} // namespace qm
