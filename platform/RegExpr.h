// A compiled regular expression on PCRE2's 16-bit library: compile once,
// then search any number of texts for the leftmost match.
//
// Matching works on UTF-16 code units, not on code points, so texts with
// lone surrogates are searched like any other. "." matches every character;
// "*" is greedy. Case-insensitive matching folds letters with Unicode case
// rules (ASCII included).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qm {

// A compile error. The message is the expression in double quotes,
// " is not a valid Regular Expression.", a carriage return, then
// "Error (pos N): text" with the engine's error offset and message.
class ERegExpr : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TRegExpr {
public:
  // Throws ERegExpr when the expression does not compile.
  TRegExpr(std::u16string_view expression, bool caseInsensitive);
  TRegExpr(const TRegExpr&) = delete;
  TRegExpr& operator=(const TRegExpr&) = delete;
  TRegExpr(TRegExpr&& other) noexcept;
  TRegExpr& operator=(TRegExpr&& other) noexcept;
  ~TRegExpr();

  const std::u16string& Expression() const { return expression_; }
  bool CaseInsensitive() const { return caseInsensitive_; }

  // Searches text for the leftmost match. On a match, MatchPos() is its
  // 1-based position and MatchLen() its length (which may be 0). A failure of
  // the engine while matching (a resource limit) counts as no match: callers
  // classify text and must not fail.
  bool Exec(std::u16string_view text);
  int MatchPos() const { return matchPos_; }
  int MatchLen() const { return matchLen_; }

private:
  void Release();

  std::u16string expression_;
  bool caseInsensitive_ = false;
  void* code_ = nullptr;       // pcre2_code_16*
  void* matchData_ = nullptr;  // pcre2_match_data_16*, reused by every search
  int matchPos_ = 0;
  int matchLen_ = 0;
};

} // namespace qm
