#include "engine/SpellCheckPlugin.h"

#include "diagnostics/Keypoints.h"
#include "engine/CharClassTable.h"
#include "engine/CodePages.h"
#include "engine/DictionaryRegistry.h"
#include "engine/MisprintRecord.h"
#include "engine/SpellerLibrary.h"
#include "engine/WordFunctions.h"
#include "lexers/LexerHost.h"
#include "persistence/OptionsStore.h"
#include "platform/CaseMap.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace qm {

TSpellCheckPlugin::TSpellCheckPlugin(TSynEdit& editor) : TSynEditPlugin(editor) {
  for (const char* name : {"Documentation", "Comment", "String", "Text"}) Scope.Add(name);
}

void TSpellCheckPlugin::CheckAll() { ScanLines(1, Editor().RowCount(), nullptr, false); }

void TSpellCheckPlugin::AfterPaint(const TRect& clip, int firstRow, int lastRow) {
  ScanLines(Editor().RowToLine(firstRow), Editor().RowToLine(lastRow), &clip, true);
}

void TSpellCheckPlugin::LexLineTokens(int line, const std::u16string& text) {
  tokens_.clear();
  TSynCustomHighlighter* lexer = Editor().Highlighter();
  BeginLine(*lexer, text, line - 1, Editor().RangeStateBefore(line));
  while (!lexer->AtLineEnd()) {
    if (!lexer->TokenText().empty()) tokens_.push_back({lexer->TokenStart() + 1, lexer->TokenAttribute()});
    lexer->NextToken();
  }
}

TSynHighlighterAttributes* TSpellCheckPlugin::AttributeAt(int column) const {
  // The last token starting at or before the column; tokens cover the line.
  auto after = std::upper_bound(tokens_.begin(), tokens_.end(), column,
                                [](int c, const Token& token) { return c < token.start; });
  if (after == tokens_.begin()) return Editor().Highlighter()->DefaultAttribute(SYN_ATTR_WHITESPACE);
  return std::prev(after)->attribute;
}

bool TSpellCheckPlugin::InScope(const TSynHighlighterAttributes* attribute) {
  if (!attribute) return false;
  for (const auto& [known, inScope] : scopeOfAttribute_)
    if (known == attribute) return inScope;
  const bool inScope = Scope.IndexOf(attribute->Name()) >= 0;
  scopeOfAttribute_.emplace_back(attribute, inScope);
  return inScope;
}

namespace {

// A word worth testing holds at least one character that is neither a
// separator nor an edge character. The word cutter hands over a lone
// separator (a blank, a parenthesis, a comma, a CJK character) or a run of
// apostrophes as a "word"; the upper-case rule would accept most of them,
// but with that rule off they would be reported as misprints.
bool HasWordCharacter(const std::u16string& word) {
  return std::any_of(word.begin(), word.end(), [](char16_t ch) { return CharClass(ch) == 0; });
}

} // namespace

void TSpellCheckPlugin::ScanLines(int firstLine, int lastLine, const TRect* clip, bool painting) {
  ProfilePoint profile(1);
  if (!painting) Misprints.Clear();
  scopeOfAttribute_.clear();
  TSynEdit& editor = Editor();
  TSynCustomHighlighter* lexer = editor.Highlighter();
  std::u16string word;
  for (int line = firstLine; line <= lastLine; ++line) {
    const std::u16string& text = editor.LineText(line);
    const int length = static_cast<int>(text.size());
    bool lexed = false;
    for (int column = 1; column <= length;) {
      int start = column;
      int end = column;
      WordAt(editor, {column, line}, start, end, word);
      column = word.empty() ? column + 1 : end + 1;
      if (!HasWordCharacter(word)) continue;

      TPoint pixel;
      if (painting) {
        pixel = editor.BufferToPixel({start, line});
        if (clip && pixel.X > clip->Right) break;
      }
      bool misprint = false;
      if (lexer) {
        if (!lexed) {
          LexLineTokens(line, text);
          lexed = true;
        }
        misprint = InScope(AttributeAt(start)) && !IsCorrectWord(word, CheckOptions);
      } else {
        misprint = !IsCorrectWord(word, CheckOptions);
      }
      if (!misprint) continue;
      if (painting) {
        PaintUnderline(pixel.X, pixel.Y, editor.TextWidth(word));
      } else {
        const MisprintRecord record{start, line, static_cast<int32_t>(word.size())};
        std::memcpy(Misprints.Add(MisprintKey(line, start)), &record, sizeof record);
      }
    }
  }
}

bool TSpellCheckPlugin::IsCorrectWord(const std::u16string& word, const TCheckOptions& options) {
  bool result = true;
  try {
    if (options.MaxWordLength > 0 && static_cast<int>(word.size()) > options.MaxWordLength) return true;
    if (options.IgnoreNumbers && std::any_of(word.begin(), word.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
      return true;
    if (options.IgnoreUppercase || options.IgnoreMixedcase) {
      const std::u16string upper = WideUpperCase(word);
      if (options.IgnoreUppercase && word == upper) return true;
      if (options.IgnoreMixedcase) {
        int lower = 0;
        int upperCount = 0;
        for (size_t i = 0; i < upper.size(); ++i) {
          if (IsEdge(upper[i])) continue;
          if (word[i] != upper[i]) ++lower;
          else if (i > 0) ++upperCount;
        }
        if (lower > 0 && upperCount > 0) return true;
      }
    }
    result = false;
    return DictionariesAccept(word);
  } catch (const std::exception&) {
    return result;
  }
}

bool TSpellCheckPlugin::DictionariesAccept(const std::u16string& word) {
  const uint64_t generation = DictionaryGeneration();
  if (generation != verdictGeneration_) {
    verdicts_.clear();
    verdictGeneration_ = generation;
  }
  if (const auto it = verdicts_.find(word); it != verdicts_.end()) return it->second;

  bool accepted = false;
  try {
    std::lock_guard<std::mutex> lock(DictionaryLock());
    accepted = IgnoredWords().IndexOf(WideToUtf8(word)) >= 0;
    if (TMultiOptions* registry = DictionaryRegistry(); registry && !accepted) {
      for (int i = 0; i < registry->Count() && !accepted; ++i) {
        const TOptionsList& section = *registry->SectionAt(i);
        if (SpellerHandle handle = SectionSpeller(section))
          accepted = SpellerCheckWord(handle, ReadOptionString(section, dictkeys::Encoding), word);
      }
    }
  } catch (const std::exception&) {
    accepted = false;  // a word the speller's encoding cannot hold is a misprint
  }
  verdicts_.emplace(word, accepted);
  return accepted;
}

void TSpellCheckPlugin::PaintUnderline(int x, int y, int width) {
  static constexpr int kWave[4] = {0, 1, 2, 1};
  TSynEdit& editor = Editor();
  const int base = y + editor.LineHeight() - 3;
  const int gutter = editor.GutterWidth();
  for (int k = 0; k <= width; ++k) {
    const int column = x + k;
    if (column > gutter) editor.SetPixel(column, base + kWave[k % 4], MisprintColor);
  }
}

} // namespace qm
