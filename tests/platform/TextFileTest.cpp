#include "platform/TextFile.h"

#include "platform/Stream.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qm {
namespace {

using Lines = std::vector<std::u16string>;
using E = TTextEncoding;
using B = TLineBreak;
using namespace std::string_literals;

std::string RoundTrip(const std::string& bytes) {
  const TTextDocument document = DecodeTextFile(bytes);
  return EncodeTextFile(document.lines, document.format);
}

TEST(TextFileDecode, EncodingFollowsTheMarkThenStrictUtf8ThenWindows1252) {
  struct Case {
    std::string bytes;
    E encoding;
    std::u16string text;  // the single line
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF" "caf\xC3\xA9", E::Utf8Bom, u"caf\u00E9"},
      {"\xFF\xFE" "a\0\xAC\x20"s, E::Utf16LE, u"a\u20AC"},
      {"\xFE\xFF" "\0a\x20\xAC"s, E::Utf16BE, u"a\u20AC"},
      {"caf\xC3\xA9", E::Utf8, u"caf\u00E9"},
      {"\xF0\x9F\x98\x80", E::Utf8, u"\xD83D\xDE00"},     // 4 bytes: a surrogate pair
      {"\xF4\x8F\xBF\xBF", E::Utf8, u"\xDBFF\xDFFF"},     // U+10FFFF, the last one
      {"\xEF\xBB\xBF", E::Utf8Bom, u""},
      // One byte that breaks UTF-8 makes the whole file Windows-1252.
      {"\xC3\xA9\xFF", E::Windows1252, u"\u00C3\u00A9\u00FF"},
      {"\xC0\xAF", E::Windows1252, u"\u00C0\u00AF"},                  // overlong "/"
      {"\xE0\x80\xAF", E::Windows1252, u"\u00E0\u20AC\u00AF"},        // overlong, 3 bytes
      {"\xF0\x80\x80\xAF", E::Windows1252, u"\u00F0\u20AC\u20AC\u00AF"},  // overlong, 4 bytes
      {"\xED\xA0\x80", E::Windows1252, u"\u00ED\u00A0\u20AC"},        // a surrogate
      {"\xF4\x90\x80\x80", E::Windows1252, u"\u00F4\u0090\u20AC\u20AC"},  // above U+10FFFF
      {"a\x80", E::Windows1252, u"a\u20AC"},                          // lone continuation
      {"\xE2\x82", E::Windows1252, u"\u00E2\u201A"},                  // cut off
      {"\x81\x8D\x8F\x90\x9D", E::Windows1252, u"\u0081\u008D\u008F\u0090\u009D"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    const TTextDocument document = DecodeTextFile(c.bytes);
    EXPECT_EQ(document.format.encoding, c.encoding);
    EXPECT_EQ(document.lines, c.text.empty() ? Lines{} : Lines{c.text});
    EXPECT_EQ(RoundTrip(c.bytes), c.bytes);
  }
}

TEST(TextFileDecode, BrokenUtf8AfterAMarkKeepsTheStrayBytes) {
  const std::string bytes = "\xEF\xBB\xBF" "a\xFF" "b\xC3\xA9\xE2\x82";
  const TTextDocument document = DecodeTextFile(bytes);
  EXPECT_EQ(document.format.encoding, E::Utf8Bom);
  EXPECT_EQ(document.lines, (Lines{u"a\xDCFF" u"b\u00E9\xDCE2\xDC82"}));
  EXPECT_EQ(EncodeTextFile(document.lines, document.format), bytes);
}

TEST(TextFileDecode, LinesBreakAtEveryBreakAndTheFirstDecidesTheStyle) {
  struct Case {
    std::string bytes;
    Lines lines;
    B style;
    bool finalBreak;
  };
  const Case cases[] = {
      {"", {}, B::LF, false},
      {"a", {u"a"}, B::LF, false},  // no break: LF
      {"a\r\nb\r\n", {u"a", u"b"}, B::CRLF, true},
      {"a\nb", {u"a", u"b"}, B::LF, false},
      {"a\rb\r", {u"a", u"b"}, B::CR, true},
      {"\n", {u""}, B::LF, true},
      {"\r\n\r\n\r\n", {u"", u"", u""}, B::CRLF, true},
      {"\r\r", {u"", u""}, B::CR, true},
      {"a\n\nb\n\n", {u"a", u"", u"b", u""}, B::LF, true},
      // Mixed: each break ends a line; the first one is remembered.
      {"a\r\nb\nc\rd", {u"a", u"b", u"c", u"d"}, B::CRLF, false},
      {"a\r\r\nb", {u"a", u"", u"b"}, B::CR, false},
      {"a\n\r\n", {u"a", u""}, B::LF, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    const TTextDocument document = DecodeTextFile(c.bytes);
    EXPECT_EQ(document.lines, c.lines);
    EXPECT_EQ(document.format.lineBreak, c.style);
    EXPECT_EQ(document.format.finalLineBreak, c.finalBreak);
  }
}

TEST(TextFileDecode, Utf16BreaksAreUnitsNotBytes) {
  // U+0D0A holds the bytes of CR and LF; U+000D U+000A is a real CR LF.
  const std::string bytes = "\xFF\xFE\x0A\x0D\x0D\x00\x0A\x00x\x00"s;
  const TTextDocument document = DecodeTextFile(bytes);
  EXPECT_EQ(document.lines, (Lines{u"\u0D0A", u"x"}));
  EXPECT_EQ(document.format.lineBreak, B::CRLF);
  EXPECT_EQ(RoundTrip(bytes), bytes);
}

TEST(TextFileDecode, OddUtf16ByteIsKeptAsideAndWrittenBack) {
  for (const std::string& bytes : {"\xFF\xFE" "a\0z"s, "\xFE\xFF" "\0a\0\n!"s, "\xFF\xFE" "z"s}) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    const TTextDocument document = DecodeTextFile(bytes);
    EXPECT_EQ(document.format.oddTrailingByte, static_cast<uint8_t>(bytes.back()));
    for (const auto& line : document.lines) EXPECT_EQ(line.find(u'\uFFFD'), std::u16string::npos);
    EXPECT_EQ(RoundTrip(bytes), bytes);
  }
  EXPECT_EQ(DecodeTextFile("\xFF\xFE" "a\0z"s).lines, Lines{u"a"});
}

TEST(TextFileDecode, NulBytesAreText) {
  const std::string bytes = "a\0b\n\0\n"s;
  const TTextDocument document = DecodeTextFile(bytes);
  EXPECT_EQ(document.format.encoding, E::Utf8);
  EXPECT_EQ(document.lines, (Lines{u"a\0b"s, u"\0"s}));
  EXPECT_EQ(RoundTrip(bytes), bytes);
}

TEST(TextFileDecode, OneMegabyteLine) {
  std::string bytes(1 << 20, 'x');
  bytes += "\xC3\xA9";  // a UTF-8 character at the very end
  const TTextDocument document = DecodeTextFile(bytes);
  ASSERT_EQ(document.lines.size(), 1u);
  EXPECT_EQ(document.lines[0].size(), (1u << 20) + 1);
  EXPECT_EQ(document.format.encoding, E::Utf8);
  EXPECT_EQ(RoundTrip(bytes), bytes);
}

// ---- Round trip over generated files --------------------------------------

class FileGenerator {
public:
  explicit FileGenerator(unsigned seed) : random_(seed) {}

  struct File {
    std::string bytes;
    E encoding;
  };

  File Next() {
    const E encoding = static_cast<E>(Pick(5));
    const B style = static_cast<B>(Pick(3));
    File file{{}, encoding};
    if (encoding == E::Utf16LE || encoding == E::Utf16BE) {
      file.bytes = Utf16File(encoding == E::Utf16BE, style);
    } else {
      file.bytes = Utf8File(encoding, style);
    }
    return file;
  }

private:
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

  static std::string BreakBytes(B style) { return style == B::CRLF ? "\r\n" : style == B::LF ? "\n" : "\r"; }

  // Valid and invalid snippets never join into a sequence across their
  // borders: no snippet starts with a continuation byte after a cut lead.
  // A byte order mark only appears inside the text.
  std::string Utf8File(E encoding, B style) {
    static const std::string kValid[] = {"a", "Z", " ", "\t", "\0"s, "\xC3\xA9", "\xE2\x82\xAC",
                                         "x\xEF\xBB\xBF", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBF"};
    static const std::string kInvalid[] = {"\xFF", "\xC0\xAF", "\xED\xA0\x80", "\xF5\x80\x80\x80",
                                           "\x80", "\xE2\x82z", "\xF0\x9F\x98z", "\x81\x8D"};
    const bool broken = encoding == E::Windows1252 || (encoding == E::Utf8Bom && Pick(2) == 0);
    std::vector<std::string> tokens(Pick(30));
    for (std::string& token : tokens) {
      if (Pick(5) == 0) {
        token = BreakBytes(style);
      } else if (broken && Pick(4) == 0) {
        token = kInvalid[Pick(std::size(kInvalid))];
      } else {
        token = kValid[Pick(std::size(kValid))];
        if (Pick(50) == 0) token = Repeat(token, 5000);  // a very long line
      }
    }
    if (encoding == E::Windows1252)
      tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(Pick(tokens.size() + 1)),
                    kInvalid[Pick(std::size(kInvalid))]);
    std::string text = encoding == E::Utf8Bom ? "\xEF\xBB\xBF" : "";
    for (const std::string& token : tokens) text += token;
    return text;
  }

  std::string Utf16File(bool bigEndian, B style) {
    static const std::u16string kUnits[] = {u"a", u"\0"s, u"\u00E9", u"\u20AC", u"\xD83D\xDE00", u"\xD800",
                                            u"\xDC00", u"\uFEFF", u"\uFFFF", u"\u0D0A", u"\u0A0D"};
    std::u16string text;
    const size_t tokens = Pick(30);
    for (size_t i = 0; i < tokens; ++i) {
      if (Pick(5) == 0) {
        for (const char ch : BreakBytes(style)) text += static_cast<char16_t>(ch);
      } else {
        text += kUnits[Pick(std::size(kUnits))];
      }
    }
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
      const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
      bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    if (Pick(4) == 0) bytes += static_cast<char>(Pick(256));
    return bytes;
  }

  static std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
  }

  std::mt19937 random_;
};

TEST(TextFileRoundTrip, GeneratedFilesWithOneBreakStyleComeBackByteForByte) {
  FileGenerator generator(20240611);
  for (int i = 0; i < 3000; ++i) {
    const FileGenerator::File file = generator.Next();
    SCOPED_TRACE(testing::PrintToString(file.bytes.substr(0, 200)));
    const TTextDocument document = DecodeTextFile(file.bytes);
    ASSERT_EQ(document.format.encoding, file.encoding);
    ASSERT_EQ(EncodeTextFile(document.lines, document.format), file.bytes);
  }
}

TEST(TextFileRoundTrip, MixedBreaksAreWrittenInTheFirstStyle) {
  const TTextDocument document = DecodeTextFile("a\r\nb\nc\rd\n");
  EXPECT_EQ(EncodeTextFile(document.lines, document.format), "a\r\nb\r\nc\r\nd\r\n");
}

// ---- Encoding ---------------------------------------------------------------

TEST(TextFileEncode, EachEncodingWritesItsMarkAndBreaks) {
  const Lines lines = {u"\u00E9", u""};
  struct Case {
    TTextFormat format;
    std::string bytes;
  };
  const Case cases[] = {
      {{E::Utf8, B::LF, true, {}}, "\xC3\xA9\n\n"},
      {{E::Utf8Bom, B::CRLF, false, {}}, "\xEF\xBB\xBF\xC3\xA9\r\n"},
      {{E::Utf16LE, B::CR, true, {}}, "\xFF\xFE\xE9\x00\x0D\x00\x0D\x00"s},
      {{E::Utf16BE, B::LF, false, 0x41}, "\xFE\xFF\x00\xE9\x00\x0A" "A"s},
      {{E::Windows1252, B::CRLF, true, {}}, "\xE9\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(EncodeTextFile(lines, c.format), c.bytes);
  }
  // No lines: only the mark, whatever the final break says.
  EXPECT_EQ(EncodeTextFile({}, {E::Utf16LE, B::LF, true, {}}), "\xFF\xFE");
  EXPECT_EQ(EncodeTextFile({}, {E::Utf8, B::LF, true, {}}), "");
}

TEST(TextFileEncode, LoneSurrogatesInUtf8) {
  // Kept bytes go back as bytes; any other lone surrogate cannot be UTF-8.
  EXPECT_EQ(EncodeTextFile({u"\xDC80\xDCFF"}, {E::Utf8, B::LF, false, {}}), "\x80\xFF");
  EXPECT_EQ(EncodeTextFile({u"\xD800" u"a\xDC00"}, {E::Utf8, B::LF, false, {}}),
            "\xEF\xBF\xBD" "a\xEF\xBF\xBD");
}

TEST(TextFileEncode, Windows1252TextWithForeignCharactersIsSavedAsUtf8) {
  const TTextFormat ansi{E::Windows1252, B::CRLF, true, {}};
  EXPECT_EQ(SavingFormat({u"caf\u00E9 \u20AC"}, ansi), ansi);
  TTextFormat utf8 = ansi;
  utf8.encoding = E::Utf8;
  EXPECT_EQ(SavingFormat({u"caf\u00E9", u"\u0142"}, ansi), utf8);
  EXPECT_EQ(SavingFormat({u"\u0142"}, utf8), utf8);
}

TEST(TextFileSplit, EditTextIsCutAtEveryBreak) {
  EXPECT_EQ(SplitAtLineBreaks(u""), Lines{u""});
  EXPECT_EQ(SplitAtLineBreaks(u"a\r\nb\rc\n"), (Lines{u"a", u"b", u"c", u""}));
}

// ---- Files ------------------------------------------------------------------

TEST(TextFileIo, SaveIsTheEncodedTextAndLoadReadsItBack) {
  test::TempDir dir;
  const std::string path = dir.File("doc.txt");
  const TTextFormat format{E::Utf16BE, B::CRLF, true, {}};
  EXPECT_EQ(SaveTextFile(path, {u"one", u"two"}, format), format);
  EXPECT_EQ(test::ReadFile(path), EncodeTextFile({u"one", u"two"}, format));
  const TTextDocument document = LoadTextFile(path);
  EXPECT_EQ(document.lines, (Lines{u"one", u"two"}));
  EXPECT_EQ(document.format, format);

  // A Windows-1252 document that gained a foreign character stays readable.
  const TTextFormat written = SaveTextFile(path, {u"\u0142"}, {E::Windows1252, B::LF, false, {}});
  EXPECT_EQ(written.encoding, E::Utf8);
  EXPECT_EQ(LoadTextFile(path).lines, Lines{u"\u0142"});
}

TEST(TextFileIo, FailuresRaiseFileErrors) {
  test::TempDir dir;
  EXPECT_THROW(LoadTextFile(dir.File("missing.txt")), EFileError);
  EXPECT_THROW(SaveTextFile(dir.File("no/such/folder.txt"), {u"x"}, {}), EFileError);
}

} // namespace
} // namespace qm
