// The lexer base, the keyword table and the host functions, driven by a tiny
// lexer: words (keyword "begin"), "#" comments to the line end, "{ }" block
// comments over lines (state 1), blanks, and one-character symbols.
#include "lexers/KeywordTable.h"
#include "lexers/LexerHost.h"

#include "LexerChecks.h"
#include "TestText.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

class TinyLexer : public TSynCustomHighlighter {
public:
  enum Kind { kComment, kIdentifier, kKeyword, kSpace, kSymbol, kEol };

  explicit TinyLexer(bool caseSensitive = true) {
    SetScanCaseSensitive(caseSensitive);
    // Added out of order on purpose: the list keeps Name order.
    symbol_ = AddAttribute("Symbol");
    space_ = AddAttribute("Space");
    comment_ = AddAttribute("Comment");
    keyword_ = AddAttribute("ReservedWord");
    identifier_ = AddAttribute("Identifier");
    keywords_.Add({"begin", "end"}, kKeyword);
  }
  std::string LanguageName() const override { return "Tiny"; }
  std::u16string FriendlyLanguageName() const override { return u"Tiny"; }

  void NextToken() override {
    tokenPos_ = run_;
    if (range_ == 1) return BlockComment();
    const char16_t c = Cur();
    if (run_ >= len_) {
      kind_ = kEol;
      SetLineEnd();
    } else if (c == u'{') {
      range_ = 1;
      BlockComment();
    } else if (c == u'#') {
      kind_ = kComment;
      run_ = len_;
    } else if (c <= 32) {
      kind_ = kSpace;
      while (run_ < len_ && Cur() <= 32) ++run_;
    } else if (IsIdentifierChar(c)) {
      while (IsIdentifierChar(Cur())) ++run_;
      kind_ = keywords_.Find(ScanText().substr(tokenPos_, run_ - tokenPos_), kIdentifier);
    } else {
      kind_ = kSymbol;
      ++run_;
    }
  }
  TSynHighlighterAttributes* TokenAttribute() const override {
    switch (kind_) {
      case kComment: return comment_;
      case kIdentifier: return identifier_;
      case kKeyword: return keyword_;
      case kSpace: return space_;
      case kSymbol: return symbol_;
      default: return nullptr;
    }
  }
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override {
    return role == SYN_ATTR_WHITESPACE ? space_ : role == SYN_ATTR_COMMENT ? comment_ : nullptr;
  }

private:
  void BlockComment() {
    if (run_ >= len_) {
      kind_ = kEol;
      SetLineEnd();
      return;
    }
    kind_ = kComment;
    while (run_ < len_ && Cur() != u'}') ++run_;
    if (run_ < len_) {
      ++run_;
      range_ = 0;
    }
  }

  TKeywordTable keywords_;
  int kind_ = kEol;
  TSynHighlighterAttributes *comment_, *identifier_, *keyword_, *space_, *symbol_;
};

std::string Names(TSynCustomHighlighter& lexer, const std::u16string& line, uint32_t state = 0) {
  std::string out;
  for (const auto& token : LexLine(lexer, line, 1, state)) {
    out += token.attribute ? token.attribute->Name() : "None";
    out += ':';
    out += test::Utf8(line.substr(token.start, token.length));
    out += ' ';
  }
  return out;
}

TEST(LexerContract, EmptyLineKeepsTheStateAndEndsAtOnce) {
  TinyLexer lexer;
  lexer.SetRangeState(1);
  lexer.StartLine(u"", 5);
  EXPECT_TRUE(lexer.AtLineEnd());
  EXPECT_EQ(lexer.RangeState(), 1u);
}

TEST(LexerContract, BlockCommentCarriesOverLines) {
  TinyLexer lexer;
  const std::vector<std::u16string> lines = {u"a { open", u"", u"still } b"};
  const auto states = LexDocument(lexer, lines);
  EXPECT_EQ(states, (std::vector<uint32_t>{1, 1, 0}));
  EXPECT_EQ(Names(lexer, lines[2], 1), "Comment:still } Space:  Identifier:b ");
}

TEST(LexerContract, CaseInsensitiveScanKeepsTheLinesLetters) {
  TinyLexer sensitive(true), insensitive(false);
  EXPECT_EQ(Names(sensitive, u"BEGIN x"), "Identifier:BEGIN Space:  Identifier:x ");
  EXPECT_EQ(Names(insensitive, u"BEGIN x"), "ReservedWord:BEGIN Space:  Identifier:x ");
  EXPECT_EQ(Names(insensitive, u"\u00C9T\u00C9"), "Symbol:\u00C9 Identifier:T Symbol:\u00C9 ")
      << "non-ASCII letters are not identifier characters here";
}

TEST(LexerContract, NulInsideALineIsAnOrdinaryCharacter) {
  TinyLexer lexer;
  const std::u16string line(u"a\0b", 3);
  EXPECT_EQ(test::CheckLexerInvariants(lexer, {line}), "");
  EXPECT_EQ(LexLine(lexer, line, 0, 0).size(), 3u);
}

TEST(LexerContract, AttributesAreSortedByNameAndUnique) {
  TinyLexer lexer;
  std::vector<std::string> names;
  for (int i = 0; i < lexer.AttributeCount(); ++i) names.push_back(lexer.AttributeAt(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Comment", "Identifier", "ReservedWord", "Space", "Symbol"}));
  EXPECT_EQ(lexer.AttributeAt(-1), nullptr);
  EXPECT_EQ(lexer.AttributeAt(5), nullptr);
  EXPECT_EQ(lexer.AttributeByName("Space"), lexer.DefaultAttribute(SYN_ATTR_WHITESPACE));
  EXPECT_EQ(lexer.AttributeByName("ReservedWord")->DisplayName(), u"Reserved Word");
  EXPECT_EQ(lexer.DefaultAttribute(SYN_ATTR_STRING), nullptr);
}

TEST(LexerContract, CharacterClasses) {
  TinyLexer lexer;
  struct Case {
    char16_t ch;
    bool identifier, wordBreak, whitespace;
  } cases[] = {
      {u'a', true, false, false},   {u'_', true, false, false},   {u'7', true, false, false},
      {u' ', false, true, true},    {u'/', false, true, false},   {u':', false, true, false},
      {u'@', false, true, false},   {u'[', false, true, false},   {u'^', false, true, false},
      {u'`', false, true, false},   {u'~', false, true, false},   {u'\u00A7', false, true, false},
      {u'\u00B0', false, true, false}, {u'\u00B4', false, true, false}, {u'\u00E9', false, false, true},
      {u'\x7F', false, false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lexer.IsIdentifierChar(c.ch), c.identifier) << int(c.ch);
    EXPECT_EQ(lexer.IsWordBreakChar(c.ch), c.wordBreak) << int(c.ch);
    EXPECT_EQ(lexer.IsWhitespaceChar(c.ch), c.whitespace) << int(c.ch);
  }
}

TEST(LexerHost, AttributeAtColumnIsOneBasedAndBounded) {
  TinyLexer lexer;
  const std::u16string line = u"ab # note";
  EXPECT_EQ(AttributeAtColumn(lexer, line, 3, 0, 0), nullptr);
  EXPECT_EQ(AttributeAtColumn(lexer, line, 3, 0, 1)->Name(), "Identifier");
  EXPECT_EQ(AttributeAtColumn(lexer, line, 3, 0, 3)->Name(), "Space");
  EXPECT_EQ(AttributeAtColumn(lexer, line, 3, 0, 9)->Name(), "Comment");
  EXPECT_EQ(AttributeAtColumn(lexer, line, 3, 0, 10), nullptr);
  EXPECT_EQ(AttributeAtColumn(lexer, u"x}", 3, 1, 1)->Name(), "Comment");  // state before the line counts
  EXPECT_EQ(AttributeAtColumn(lexer, u"x}", 0, 1, 1)->Name(), "Identifier");  // the first line starts reset
}

TEST(KeywordTable, FindsExactWordsOnly) {
  TKeywordTable table;
  table.Add({"if", "else", "while"}, 1);
  table.Add("if", 2);  // first kind stays
  for (int i = 0; i < 100; ++i) table.Add("word" + std::to_string(i), 3);
  EXPECT_EQ(table.Find(u"if", 0), 1);
  EXPECT_EQ(table.Find(u"word57", 0), 3);
  EXPECT_EQ(table.Find(u"If", 0), 0);
  EXPECT_EQ(table.Find(u"", 0), 0);
  EXPECT_EQ(table.Find(u"word100", -1), -1);
  EXPECT_EQ(table.Size(), 103u);
}

TEST(Attributes, ChangesNotifyAndDefaultsAreRemembered) {
  TSynHighlighterAttributes attribute("Comment", u"Comment");
  attribute.SetStyle(fsItalic);
  attribute.InternalSaveDefaultValues();
  int changes = 0;
  attribute.OnChange = [&](TSynHighlighterAttributes&) { ++changes; };
  attribute.SetForeground(0x0000FF);
  attribute.SetForeground(0x0000FF);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(attribute.IsDefault());
  EXPECT_EQ(attribute.DefaultStyle(), fsItalic);
  EXPECT_EQ(AttributeDisplayName("CDATA-Section"), u"CDATA Section");
  EXPECT_EQ(AttributeDisplayName("Area_A_Identifier"), u"Area A Identifier");
}

} // namespace
} // namespace qm
