// The stored states against lexing the whole document afresh, for every kind
// of block replacement an editor may report: pure insertions and deletions
// included, which the headless editor's edits never produce.
#include "engine/LineRangeStates.h"

#include "lexers/LexerHost.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qm {
namespace {

// Braces nest over lines; the state is the depth (at most 3).
class BraceLexer : public TSynCustomHighlighter {
public:
  BraceLexer() { text_ = AddAttribute("Text"); }
  std::string LanguageName() const override { return "Brace"; }
  std::u16string FriendlyLanguageName() const override { return u"Brace"; }
  void NextToken() override {
    tokenPos_ = run_;
    if (run_ >= len_) return SetLineEnd();
    if (Cur() == u'{' && range_ < 3) ++range_;
    if (Cur() == u'}' && range_ > 0) --range_;
    ++run_;
  }
  TSynHighlighterAttributes* TokenAttribute() const override { return text_; }
  int TokenKind() const override { return 0; }
  TSynHighlighterAttributes* DefaultAttribute(int) const override { return text_; }

private:
  TSynHighlighterAttributes* text_;
};

TEST(LineRangeStates, AnyBlockReplacementKeepsTheStatesRight) {
  std::mt19937 random(5);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const std::u16string kinds[] = {u"", u"{", u"}", u"x", u"{{", u"}}"};
  BraceLexer lexer, reference;
  for (int round = 0; round < 100; ++round) {
    std::vector<std::u16string> lines(static_cast<size_t>(pick(0, 12)));
    for (auto& line : lines) line = kinds[pick(0, 5)];
    TLineRangeStates states;
    states.Reset(static_cast<int>(lines.size()));
    for (int step = 0; step < 30; ++step) {
      const int count = static_cast<int>(lines.size());
      const int first = pick(0, count);
      const int removed = pick(0, count - first);
      const int inserted = pick(0, 3);
      lines.erase(lines.begin() + first, lines.begin() + first + removed);
      for (int i = 0; i < inserted; ++i) lines.insert(lines.begin() + first, kinds[pick(0, 5)]);
      states.LinesReplaced(first, removed, inserted);
      ASSERT_EQ(states.LineCount(), static_cast<int>(lines.size()));

      const std::vector<uint32_t> whole = LexDocument(reference, lines);
      const int index = pick(0, static_cast<int>(lines.size()));
      EXPECT_EQ(states.StateBefore(lexer, lines, index), index == 0 ? 0u : whole[static_cast<size_t>(index - 1)]);
      if (step % 5 == 4) {
        for (size_t i = 0; i < whole.size(); ++i)
          ASSERT_EQ(states.StateBefore(lexer, lines, static_cast<int>(i + 1)), whole[i])
              << "round " << round << " step " << step << " line " << i;
      }
    }
  }
}

} // namespace
} // namespace qm
