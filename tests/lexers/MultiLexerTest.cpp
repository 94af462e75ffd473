// The multi-lexer with the HTML lexer as default lexer and small block-comment
// lexers standing in for the scheme lexers: marker finding, sub-line lexing,
// the packed state, the scheme set-up and its errors, the attribute walk.
#include "lexers/SynHTMLSyn.h"
#include "lexers/SynMultiSyn.h"

#include "LexerChecks.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <memory>

namespace qm {
namespace {

// Words are "Identifier", blanks "Space", "/* */" a "Comment" that may run
// over lines (state commentState, else 0). Keeps the text of its last line.
class BlockLexer : public TSynCustomHighlighter {
public:
  explicit BlockLexer(std::string name, uint32_t commentState = 9) : name_(std::move(name)), commentState_(commentState) {
    comment_ = AddAttribute("Comment");
    identifier_ = AddAttribute("Identifier");
    space_ = AddAttribute("Space");
  }
  std::string LanguageName() const override { return name_; }
  std::u16string FriendlyLanguageName() const override { return u"Block"; }
  void StartLine(std::u16string_view line, int lineIndex) override {
    lastLine = line;
    TSynCustomHighlighter::StartLine(line, lineIndex);
  }
  void NextToken() override {
    tokenPos_ = run_;
    if (range_ == commentState_ && run_ < len_) return Comment();
    if (run_ >= len_) {
      kind_ = 0;
      SetLineEnd();
    } else if (Cur() == u'/' && Ch(run_ + 1) == u'*') {
      range_ = commentState_;
      run_ += 2;
      Comment();
    } else if (Cur() <= 32) {
      kind_ = 3;
      while (run_ < len_ && Cur() <= 32) ++run_;
    } else {
      kind_ = 2;
      while (run_ < len_ && Cur() > 32 && !(Cur() == u'/' && Ch(run_ + 1) == u'*')) ++run_;
    }
  }
  TSynHighlighterAttributes* TokenAttribute() const override {
    return kind_ == 1 ? comment_ : kind_ == 2 ? identifier_ : kind_ == 3 ? space_ : nullptr;
  }
  int TokenKind() const override { return kind_; }
  TSynHighlighterAttributes* DefaultAttribute(int role) const override {
    return role == SYN_ATTR_IDENTIFIER ? identifier_ : role == SYN_ATTR_WHITESPACE ? space_ : nullptr;
  }
  bool IsIdentifierChar(char16_t ch) const override { return ch == u'-' || TSynCustomHighlighter::IsIdentifierChar(ch); }

  std::u16string lastLine;

private:
  // From inside the comment to and including "*/", or to the line end.
  void Comment() {
    kind_ = 1;
    for (; run_ < len_; ++run_) {
      if (Cur() == u'*' && Ch(run_ + 1) == u'/') {
        run_ += 2;
        range_ = 0;
        return;
      }
    }
  }

  std::string name_;
  uint32_t commentState_;
  int kind_ = 0;
  TSynHighlighterAttributes *comment_, *identifier_, *space_;
};

// The schemes of the spell checker's multi-lexer, in its order.
void ConfigureSystemSchemes(TSynMultiSyn& multi, TSynCustomHighlighter* xml, TSynCustomHighlighter* css,
                            TSynCustomHighlighter* javaScript, TSynCustomHighlighter* php, TSynCustomHighlighter* perl,
                            TSynCustomHighlighter* python, TSynCustomHighlighter* ruby) {
  struct Row {
    TSynCustomHighlighter* lexer;
    const char16_t* start;
    const char16_t* end;
  };
  const Row marked[] = {
      {xml, u"<xml.*>", u"</xml>"},
      {css, u"<style.*>", u"</style>"},
      {javaScript, u"<script.*>", u"</script>"},
      {php, u"<\\?php", u"\\?>"},
  };
  for (const Row& row : marked) {
    TScheme& scheme = multi.Schemes().Add();
    scheme.SetHighlighter(row.lexer);
    scheme.SetCaseSensitive(false);
    scheme.SetStartExpr(row.start);
    scheme.SetEndExpr(row.end);
  }
  for (TSynCustomHighlighter* lexer : {perl, python, ruby}) multi.Schemes().Add().SetHighlighter(lexer);
}

class MultiLexer : public ::testing::Test {
protected:
  MultiLexer() {
    for (const char* name : {"XML", "CSS", "JavaScript", "PHP", "Perl", "Python", "Ruby"})
      blocks.push_back(std::make_unique<BlockLexer>(name));
    multi.SetDefaultHighlighter(&html);
    ConfigureSystemSchemes(multi, blocks[0].get(), blocks[1].get(), blocks[2].get(), blocks[3].get(),
                           blocks[4].get(), blocks[5].get(), blocks[6].get());
  }

  // "{Owner:Attribute}text" for every token; markers are "{Marker}".
  std::string Owner(const TSynHighlighterAttributes* attribute) const {
    if (!attribute) return "None";
    if (attribute->Name() == "Marker") return "Marker";
    std::vector<const TSynCustomHighlighter*> lexers = {&html};
    for (const auto& block : blocks) lexers.push_back(block.get());
    for (const TSynCustomHighlighter* lexer : lexers)
      for (int i = 0; i < lexer->AttributeCount(); ++i)
        if (lexer->AttributeAt(i) == attribute) return lexer->LanguageName() + ":" + attribute->Name();
    return "?";
  }
  std::string Line(const std::u16string& line, uint32_t state) {
    std::string out;
    for (const auto& token : LexLine(multi, line, 1, state))
      out += "{" + Owner(token.attribute) + "}" +
             test::Utf8(line.substr(static_cast<size_t>(token.start), static_cast<size_t>(token.length)));
    return out;
  }
  // Each line from the state after the one before (the first from reset).
  std::vector<std::string> Document(const std::vector<std::u16string>& lines) {
    std::vector<std::string> out;
    uint32_t state = kStart;
    for (const auto& line : lines) {
      out.push_back(Line(line, state));
      state = multi.RangeState();
    }
    return out;
  }
  // A line started from scratch.
  void Start(const std::u16string& line) {
    multi.ResetRangeState();
    multi.StartLine(line, 0);
  }

  // The state of a document's first line: no scheme, the HTML lexer in text.
  static constexpr uint32_t kStart = 4 * 8;

  TSynHTMLSyn html;
  std::vector<std::unique_ptr<BlockLexer>> blocks;
  TSynMultiSyn multi;
};

TEST_F(MultiLexer, SystemSchemeTable) {
  ASSERT_EQ(multi.Schemes().Count(), 7);
  const char16_t* starts[] = {u"<xml.*>", u"<style.*>", u"<script.*>", u"<\\?php", u"", u"", u""};
  const char16_t* ends[] = {u"</xml>", u"</style>", u"</script>", u"\\?>", u"", u"", u""};
  for (int i = 0; i < 7; ++i) {
    const TScheme& scheme = multi.Schemes()[i];
    EXPECT_EQ(scheme.Highlighter(), blocks[static_cast<size_t>(i)].get());
    EXPECT_EQ(scheme.CaseSensitive(), i >= 4);
    EXPECT_EQ(scheme.StartExpr(), starts[i]);
    EXPECT_EQ(scheme.EndExpr(), ends[i]);
    EXPECT_EQ(scheme.StartRegExpr() != nullptr, i < 4);
  }
  EXPECT_EQ(multi.LanguageName(), "General_Multi-Highlighter");
  EXPECT_EQ(multi.FriendlyLanguageName(), u"General Multi-Highlighter");
  EXPECT_EQ(multi.DefaultFilter(), "");
}

TEST_F(MultiLexer, Documents) {
  struct Case {
    const char* topic;
    std::vector<std::u16string> lines;
    std::vector<std::string> tokens;
  };
  const Case cases[] = {
      {"plain text is one checked token", {u"Helo wrold, this is text."}, {"{HTML:Text}Helo wrold, this is text."}},
      {"HTML values are not text",
       {u"<p title='Helo'>Wrold</p>"},
       {"{HTML:Symbol}<{HTML:ReservedWord}p{HTML:Space} {HTML:Identifier}title{HTML:Symbol}={HTML:Value}'Helo'"
        "{HTML:Symbol}>{HTML:Text}Wrold{HTML:Symbol}<{HTML:ReservedWord}/p{HTML:Symbol}>"}},
      {"a greedy start marker runs to the last > and the scheme stays open",
       {u"<style>p { color: red }</style> Helo", u"b {}", u"", u"x</style>after"},
       {"{Marker}<style>p { color: red }</style>{CSS:Space} {CSS:Identifier}Helo", "{CSS:Identifier}b{CSS:Space} {CSS:Identifier}{}",
        "", "{CSS:Identifier}x{Marker}</style>{HTML:Text}after"}},
      {"matching ignores case; a scheme lexer's comment runs over lines",
       {u"<SCRIPT type='text/javascript'>", u"var x; /* Helo", u"wrold */ y", u"</Script> Text after <b>"},
       {"{Marker}<SCRIPT type='text/javascript'>",
        "{JavaScript:Identifier}var{JavaScript:Space} {JavaScript:Identifier}x;{JavaScript:Space} "
        "{JavaScript:Comment}/* Helo",
        "{JavaScript:Comment}wrold */{JavaScript:Space} {JavaScript:Identifier}y",
        "{Marker}</Script>{HTML:Text} Text after {HTML:Symbol}<{HTML:ReservedWord}b{HTML:Symbol}>"}},
      {"comments do not hide markers; the default lexer resumes in its comment",
       {u"<!-- <script> -->", u"</script> -->x"},
       {"{HTML:Comment}<!--{HTML:Comment} {Marker}<script> -->",
        "{Marker}</script>{HTML:Comment} -->{HTML:Text}x"}},
      {"the first scheme in order wins over a marker further left",
       {u"<?php echo 'x'; ?> <style>", u"a"},
       {"{HTML:Symbol}<{HTML:Identifier}?php{HTML:Space} {HTML:Identifier}echo{HTML:Space} {HTML:Identifier}'x';"
        "{HTML:Space} {HTML:Identifier}?{HTML:Symbol}>{HTML:Text} {Marker}<style>",
        "{CSS:Identifier}a"}},
      {"open and close on one line, the default lexer's state carried across",
       {u"<!-- a <?php x ?> b --> c"},
       {"{HTML:Comment}<!--{HTML:Comment} a {Marker}<?php{PHP:Space} {PHP:Identifier}x{PHP:Space} {Marker}?>{HTML:Comment} b -->"
        "{HTML:Text} c"}},
      {"adjacent markers", {u"<?php?><?php?>z"}, {"{Marker}<?php{Marker}?>{Marker}<?php{Marker}?>{HTML:Text}z"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Document(c.lines), c.tokens) << c.topic;
    EXPECT_EQ(test::CheckLexerInvariants(multi, c.lines), "") << c.topic;
  }
}

TEST_F(MultiLexer, MarkersAreFoundPerLineBeforeLexing) {
  Start(u"ab<?php x ?>cd<?PHP");
  const auto& markers = multi.Markers();
  ASSERT_EQ(markers.size(), 3u);
  EXPECT_EQ(markers[0].SchemeIndex, 3);
  EXPECT_EQ(markers[0].StartPos, 3);
  EXPECT_EQ(markers[0].Length, 5);
  EXPECT_TRUE(markers[0].IsOpen);
  EXPECT_EQ(markers[0].Text, u"<?php");
  EXPECT_EQ(markers[1].StartPos, 11);
  EXPECT_FALSE(markers[1].IsOpen);
  EXPECT_EQ(markers[1].Text, u"?>");
  EXPECT_EQ(markers[2].StartPos, 15);
  EXPECT_EQ(markers[2].Text, u"<?PHP");

  // Each stretch is handed to its lexer as a line of its own.
  while (!multi.AtLineEnd()) multi.NextToken();
  EXPECT_EQ(blocks[3]->lastLine, u"");
  EXPECT_EQ(multi.CurrentScheme(), 3);
  Start(u"ab<?php x ?>cd");
  while (!multi.AtLineEnd()) multi.NextToken();
  EXPECT_EQ(blocks[3]->lastLine, u" x ");

  // A line that starts inside a scheme searches its end expression first.
  multi.SetRangeState(4);  // scheme 3, both states 0
  multi.StartLine(u"<?php ?> <xml>", 0);
  ASSERT_EQ(multi.Markers().size(), 2u);
  EXPECT_FALSE(multi.Markers()[0].IsOpen);
  EXPECT_EQ(multi.Markers()[0].StartPos, 7);
  EXPECT_EQ(multi.Markers()[1].SchemeIndex, 0);
}

TEST_F(MultiLexer, TokenStartsAreLinePositions) {
  BeginLine(multi, u"ab<?php c d?>e", 0, 0);
  std::vector<int> starts;
  std::vector<int> kinds;
  while (!multi.AtLineEnd()) {
    starts.push_back(multi.TokenStart());
    kinds.push_back(multi.TokenKind());
    multi.NextToken();
  }
  EXPECT_EQ(starts, (std::vector<int>{0, 2, 7, 8, 9, 10, 11, 13}));
  EXPECT_EQ(kinds[1], 0);  // a marker
  EXPECT_EQ(kinds[3], 2);  // the block lexer's identifier
  EXPECT_EQ(kinds[7], TSynHTMLSyn::tkText);
}

TEST_F(MultiLexer, StatePacking) {
  const auto states = LexDocument(multi, {u"plain", u"<script>", u"/* open", u"</script><", u"<?php"});
  // default state + 8 x (scheme + 1), with the scheme lexer's 4 bits between.
  EXPECT_EQ(states, (std::vector<uint32_t>{4 * 8, (4 * 16 + 0) * 8 + 3, (4 * 16 + 9) * 8 + 3, 2 * 8,
                                           (2 * 16 + 0) * 8 + 4}));

  multi.SetRangeState((4 * 16 + 9) * 8 + 3);
  EXPECT_EQ(multi.CurrentScheme(), 2);
  EXPECT_EQ(blocks[2]->RangeState(), 9u);
  EXPECT_EQ(html.RangeState(), 4u);
  EXPECT_EQ(multi.DefaultAttribute(SYN_ATTR_IDENTIFIER), blocks[2]->DefaultAttribute(SYN_ATTR_IDENTIFIER));
  EXPECT_TRUE(multi.IsIdentifierChar(u'-'));

  for (uint32_t state : {0u, 8u, 32u, 56u + 3u, (8u * 16 + 15) * 8 + 7, (1u * 16 + 5) * 8 + 1}) {
    multi.SetRangeState(state);
    EXPECT_EQ(multi.RangeState(), state);
  }

  multi.ResetRangeState();
  EXPECT_EQ(multi.CurrentScheme(), -1);
  EXPECT_EQ(multi.RangeState(), 32u);
  EXPECT_EQ(multi.DefaultAttribute(SYN_ATTR_STRING), nullptr);
  EXPECT_FALSE(multi.IsIdentifierChar(u'-'));
}

TEST_F(MultiLexer, SchemeLexerStateIsCutToFourBits) {
  BlockLexer wide("Wide", 18);
  multi.Schemes()[2].SetHighlighter(&wide);
  const auto states = LexDocument(multi, {u"<script>/* a", u"b */ c"});
  EXPECT_EQ(states[0], (4u * 16 + 2) * 8 + 3);
  // State 2 is not "inside a comment" for this lexer: the comment is lost.
  BeginLine(multi, u"b */ c", 1, states[0]);
  EXPECT_EQ(multi.TokenAttribute(), wide.AttributeByName("Identifier"));
}

TEST_F(MultiLexer, SchemesThatCannotOpen) {
  blocks[1]->Enabled = false;  // CSS
  EXPECT_EQ(Line(u"<style>a", kStart), "{HTML:Symbol}<{HTML:ReservedWord}style{HTML:Symbol}>{HTML:Text}a");
  blocks[1]->Enabled = true;

  TScheme& noEnd = multi.Schemes()[2];
  noEnd.SetEndExpr(u"");
  EXPECT_EQ(Line(u"<script>", kStart), "{HTML:Symbol}<{HTML:ReservedWord}script{HTML:Symbol}>");

  multi.Schemes()[0].SetHighlighter(nullptr);
  Start(u"<xml>");
  EXPECT_TRUE(multi.Markers().empty());

  // An eighth scheme cannot be told apart in the state, so it never opens.
  TScheme& eighth = multi.Schemes().Add();
  eighth.SetHighlighter(blocks[0].get());
  eighth.SetStartExpr(u"<q>");
  eighth.SetEndExpr(u"</q>");
  Start(u"<q>");
  EXPECT_TRUE(multi.Markers().empty());
}

TEST_F(MultiLexer, CaseSensitiveSchemesAndRecompiling) {
  TScheme& script = multi.Schemes()[2];
  script.SetCaseSensitive(true);
  Start(u"<SCRIPT>");
  EXPECT_TRUE(multi.Markers().empty());
  Start(u"<script>");
  EXPECT_EQ(multi.Markers().size(), 1u);
  script.SetCaseSensitive(false);
  EXPECT_TRUE(script.StartRegExpr()->CaseInsensitive());
  Start(u"<SCRIPT>");
  EXPECT_EQ(multi.Markers().size(), 1u);
}

TEST_F(MultiLexer, InvalidExpressionIsRefusedAndTheOldOneStays) {
  TScheme& scheme = multi.Schemes()[3];
  try {
    scheme.SetStartExpr(u"a(");
    FAIL() << "accepted";
  } catch (const ERegExpr& e) {
    EXPECT_STREQ(e.what(), "\"a(\" is not a valid Regular Expression.\rError (pos 2): missing closing parenthesis");
  }
  EXPECT_THROW(scheme.SetEndExpr(u"[x"), ERegExpr);
  EXPECT_EQ(scheme.StartExpr(), u"<\\?php");
  EXPECT_EQ(scheme.EndExpr(), u"\\?>");
  Start(u"<?php ?>");
  EXPECT_EQ(multi.Markers().size(), 2u);
}

TEST_F(MultiLexer, RefusesItselfAsALexer) {
  try {
    multi.SetDefaultHighlighter(&multi);
    FAIL() << "accepted";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "A SynMultiSyn cannot be its own DefaultHighlighter.");
  }
  EXPECT_EQ(multi.DefaultHighlighter(), &html);
  EXPECT_THROW(multi.Schemes()[4].SetHighlighter(&multi), std::invalid_argument);
}

TEST_F(MultiLexer, EmptyMatchesAddNoMarkerAndCannotLoop) {
  TSynMultiSyn bare;
  bare.SetDefaultHighlighter(&html);
  TScheme& scheme = bare.Schemes().Add();
  scheme.SetHighlighter(blocks[0].get());
  scheme.SetStartExpr(u"a*");
  scheme.SetEndExpr(u"b*");
  bare.ResetRangeState();
  bare.StartLine(u"xyz", 0);  // both match the empty text at the start forever
  EXPECT_TRUE(bare.Markers().empty());
  EXPECT_EQ(test::CheckLexerInvariants(bare, {u"xyz", u"", u"aab"}), "");

  // An empty match further on still cuts the text: the search goes on.
  scheme.SetStartExpr(u"x?q*");
  scheme.SetEndExpr(u"c");
  bare.ResetRangeState();
  bare.StartLine(u"abc", 0);
  ASSERT_EQ(bare.Markers().size(), 1u);
  EXPECT_FALSE(bare.Markers()[0].IsOpen);
  EXPECT_EQ(bare.Markers()[0].StartPos, 3);
}

TEST_F(MultiLexer, AttributeWalk) {
  const int schemeAttributes = 7 * 3;
  ASSERT_EQ(multi.AttributeCount(), 7 + html.AttributeCount() + schemeAttributes);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(multi.AttributeAt(i), &multi.Schemes()[i].MarkerAttri());
  for (int i = 0; i < html.AttributeCount(); ++i) EXPECT_EQ(multi.AttributeAt(7 + i), html.AttributeAt(i));
  const int firstScheme = 7 + html.AttributeCount();
  EXPECT_EQ(multi.AttributeAt(firstScheme), blocks[0]->AttributeAt(0));
  EXPECT_EQ(multi.AttributeAt(firstScheme + 5), blocks[1]->AttributeAt(2));
  EXPECT_EQ(multi.AttributeAt(multi.AttributeCount() - 1), blocks[6]->AttributeAt(2));
  EXPECT_EQ(multi.AttributeAt(multi.AttributeCount()), nullptr);
  EXPECT_EQ(multi.AttributeAt(-1), nullptr);

  const TSynHighlighterAttributes& marker = multi.Schemes()[0].MarkerAttri();
  EXPECT_EQ(marker.Name(), "Marker");
  EXPECT_EQ(marker.DisplayName(), u"Marker");
  EXPECT_EQ(marker.Background(), 0x0000FFFFu);  // yellow, BGR
  EXPECT_EQ(marker.Style(), fsBold);
  EXPECT_TRUE(marker.IsDefault());
}

TEST_F(MultiLexer, ChangesNotifyAndRemovedLexersAreForgotten) {
  int changes = 0;
  multi.OnChange = [&] { ++changes; };
  multi.Schemes()[1].SetEndExpr(u"</STYLE>");
  multi.Schemes()[1].SetCaseSensitive(true);
  multi.Schemes()[1].MarkerAttri().SetStyle(fsItalic);
  multi.Schemes()[1].SetHighlighter(blocks[2].get());
  EXPECT_EQ(changes, 4);

  multi.RemoveHighlighter(&html);
  multi.RemoveHighlighter(blocks[3].get());
  EXPECT_EQ(multi.DefaultHighlighter(), nullptr);
  EXPECT_EQ(multi.Schemes()[3].Highlighter(), nullptr);
  // Without lexers each stretch is still one token, without attribute.
  EXPECT_EQ(Line(u"a <script>b", kStart), "{None}a {Marker}<script>{JavaScript:Identifier}b");
  EXPECT_EQ(test::CheckLexerInvariants(multi, {u"x <?php y ?> z", u"<script>", u"q"}), "");
}

// A page mixing every scheme: the lexer contract holds line by line.
TEST_F(MultiLexer, InvariantsOnAMixedPage) {
  const std::vector<std::u16string> page = {
      u"<html><head><title>Helo wrold</title>",
      u"<style type=\"text/css\">",
      u"  body { color: red } /* a",
      u"  comment */",
      u"</style><script>var a = 1; /* x */</script>",
      u"<xml id=data><item>Text</item></xml>",
      u"<p>Fish &amp; chips <?php echo \"Helo\"; ?> and &#169; more</p>",
      u"<!-- <?php",
      u"still php ?> still comment -->",
      u"",
      u"<?php ?><?php",
  };
  EXPECT_EQ(test::CheckLexerInvariants(multi, page), "");
}

} // namespace
} // namespace qm
