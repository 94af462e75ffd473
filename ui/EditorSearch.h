// The editor's search and replace: plain text, one line at a time, steered
// by the option bits the find dialog produces. Every occurrence found is
// selected and scrolled into view; each replacement is one undoable edit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qm {

class TSynEditWidget;

// The option bits of a search.
enum TSearchOption : uint8_t {
  ssoMatchCase = 0x01,
  ssoWholeWord = 0x02,
  ssoBackwards = 0x04,
  ssoEntireScope = 0x08,   // the whole scope, not from the caret
  ssoSelectedOnly = 0x10,  // only inside the selection
  ssoReplace = 0x20,
  ssoReplaceAll = 0x40,
  ssoPrompt = 0x80,        // ask before each replacement
};
constexpr uint8_t kReplaceOptions = ssoReplace | ssoReplaceAll | ssoPrompt;

// What to do with one occurrence during a replace that asks.
enum class TReplaceAction { raReplace, raReplaceAll, raSkip, raCancel };

// Asked with the occurrence selected; line and column are 1-based.
using TReplaceTextHandler = std::function<TReplaceAction(
    const std::u16string& search, const std::u16string& replacement, int line, int column)>;

// Searches (and, with ssoReplace, replaces) in the editor; answers the number
// of occurrences found, replaced or not (0 when none). Without ssoReplace the
// first occurrence is selected; with ssoReplace but not ssoReplaceAll only the
// first is replaced. With ssoPrompt the handler decides for each occurrence
// (no handler: replace). An empty search text finds nothing.
int SearchReplace(TSynEditWidget& editor, const std::u16string& search, const std::u16string& replacement,
                  uint8_t options, const TReplaceTextHandler& askReplace = {});

// Whether text holds search at column index at (0-based) under the options'
// case and whole-word rules.
bool MatchesAt(const std::u16string& text, size_t at, const std::u16string& search, uint8_t options);

} // namespace qm
