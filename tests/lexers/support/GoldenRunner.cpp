#include "LexerChecks.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qm::test {

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ToCrLf(const std::u16string& text) {
  std::u16string out;
  for (char16_t ch : text) {
    if (ch == u'\r') continue;
    if (ch == u'\n') out += u'\r';
    out += ch;
  }
  return Utf8(out);
}

std::string ToLf(const std::u16string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    out += text[i];
  }
  return Utf8(out);
}

} // namespace

std::string SamplesFolder() { return std::string(QM_TESTS_DIR) + "/lexers/samples"; }

void RunGoldenFolder(TSynCustomHighlighter& lexer, const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(SamplesFolder()) / folder;
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  const bool regenerate = std::getenv("QM_REGEN_GOLDEN") != nullptr;
  std::vector<fs::path> samples;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.is_regular_file() && entry.path().extension() != ".golden") samples.push_back(entry.path());
  std::sort(samples.begin(), samples.end());
  ASSERT_FALSE(samples.empty()) << "no samples in " << dir;

  for (const auto& sample : samples) {
    SCOPED_TRACE(sample.string());
    const std::u16string text = Utf16(ReadAll(sample));
    const std::vector<std::u16string> lines = DocumentLines(text);
    const std::string rendered = RenderTokens(lexer, lines);
    const fs::path goldenPath = sample.string() + ".golden";
    if (regenerate) {
      std::ofstream(goldenPath, std::ios::binary) << rendered;
    } else {
      EXPECT_TRUE(fs::exists(goldenPath)) << "missing " << goldenPath << " (run scripts/regen-golden)";
      EXPECT_EQ(rendered, ReadAll(goldenPath));
    }

    EXPECT_EQ(CheckLexerInvariants(lexer, lines), "");
    const std::u16string other = Utf16(text.find(u'\r') == std::u16string::npos ? ToCrLf(text) : ToLf(text));
    EXPECT_EQ(RenderTokens(lexer, DocumentLines(other)), rendered) << "CR LF and LF line ends lex differently";

    // Re-lex every line from its stored state, last line first.
    const std::vector<uint32_t> states = LexDocument(lexer, lines);
    std::vector<std::vector<TLexedToken>> onePass;
    uint32_t state = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      onePass.push_back(LexLine(lexer, lines[i], static_cast<int>(i), state));
      state = lexer.RangeState();
    }
    for (size_t i = lines.size(); i-- > 0;) {
      const auto tokens = LexLine(lexer, lines[i], static_cast<int>(i), i == 0 ? 0 : states[i - 1]);
      EXPECT_TRUE(SameTokens(tokens, onePass[i])) << "line " << i + 1 << " lexes differently from its stored state";
      EXPECT_EQ(lexer.RangeState(), states[i]) << "line " << i + 1;
    }
  }
}

} // namespace qm::test
