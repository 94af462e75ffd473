#include "platform/RegExpr.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <cstdio>
#include <utility>

namespace qm {

namespace {

pcre2_code* Code(void* p) { return static_cast<pcre2_code*>(p); }
pcre2_match_data* MatchData(void* p) { return static_cast<pcre2_match_data*>(p); }

// One UTF-16 code unit at a time, at most three bytes each, so a lone
// surrogate still shows in the message.
std::string ToUtf8(std::u16string_view text) {
  std::string out;
  for (char16_t ch : text) {
    if (ch < 0x80) {
      out += static_cast<char>(ch);
    } else if (ch < 0x800) {
      out += static_cast<char>(0xC0 | (ch >> 6));
      out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (ch >> 12));
      out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return out;
}

std::string ErrorText(int code) {
  PCRE2_UCHAR buffer[256];
  if (pcre2_get_error_message(code, buffer, sizeof buffer / sizeof buffer[0]) < 0) return "unknown error";
  std::u16string text;
  for (const PCRE2_UCHAR* p = buffer; *p; ++p) text += static_cast<char16_t>(*p);
  return ToUtf8(text);
}

} // namespace

TRegExpr::TRegExpr(std::u16string_view expression, bool caseInsensitive)
    : expression_(expression), caseInsensitive_(caseInsensitive) {
  // No PCRE2_UTF: code units are matched as they are. PCRE2_UCP still gives
  // Unicode case folding for caseless matching.
  uint32_t options = PCRE2_DOTALL | PCRE2_UCP;
  if (caseInsensitive) options |= PCRE2_CASELESS;
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression_.data()), expression_.size(), options,
                                   &error, &offset, nullptr);
  if (!code) {
    char position[32];
    std::snprintf(position, sizeof position, "%d", static_cast<int>(offset));
    throw ERegExpr("\"" + ToUtf8(expression_) + "\" is not a valid Regular Expression.\rError (pos " + position +
                   "): " + ErrorText(error));
  }
  code_ = code;
  matchData_ = pcre2_match_data_create_from_pattern(code, nullptr);
  if (!matchData_) {
    Release();
    throw std::bad_alloc();
  }
}

TRegExpr::TRegExpr(TRegExpr&& other) noexcept
    : expression_(std::move(other.expression_)),
      caseInsensitive_(other.caseInsensitive_),
      code_(std::exchange(other.code_, nullptr)),
      matchData_(std::exchange(other.matchData_, nullptr)),
      matchPos_(other.matchPos_),
      matchLen_(other.matchLen_) {}

TRegExpr& TRegExpr::operator=(TRegExpr&& other) noexcept {
  if (this != &other) {
    Release();
    expression_ = std::move(other.expression_);
    caseInsensitive_ = other.caseInsensitive_;
    code_ = std::exchange(other.code_, nullptr);
    matchData_ = std::exchange(other.matchData_, nullptr);
    matchPos_ = other.matchPos_;
    matchLen_ = other.matchLen_;
  }
  return *this;
}

TRegExpr::~TRegExpr() { Release(); }

void TRegExpr::Release() {
  if (matchData_) pcre2_match_data_free(MatchData(matchData_));
  if (code_) pcre2_code_free(Code(code_));
  matchData_ = nullptr;
  code_ = nullptr;
}

bool TRegExpr::Exec(std::u16string_view text) {
  matchPos_ = 0;
  matchLen_ = 0;
  if (!code_) return false;
  // An empty view may have a null data pointer, which PCRE2 accepts only with
  // length 0; give it a valid address anyway.
  static const char16_t empty = 0;
  const char16_t* subject = text.empty() ? &empty : text.data();
  const int rc = pcre2_match(Code(code_), reinterpret_cast<PCRE2_SPTR>(subject), text.size(), 0, 0,
                             MatchData(matchData_), nullptr);
  if (rc < 0) return false;
  const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(MatchData(matchData_));
  matchPos_ = static_cast<int>(vector[0]) + 1;
  matchLen_ = vector[1] > vector[0] ? static_cast<int>(vector[1] - vector[0]) : 0;
  return true;
}

} // namespace qm
