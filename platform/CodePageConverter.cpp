#include "platform/CodePageConverter.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <iterator>
#include <map>
#include <utility>

namespace qm {

namespace {

struct CodePageCharsetRow {
  int codePage;
  const char* charset;
};

// Windows code page number -> glibc iconv charset, sorted by number. Pages
// that glibc cannot convert (ISCII, most Mac pages, the Taiwanese x-cp
// pages, HZ, IBM-Thai, ...) are absent, and so are the UTF-16/UTF-32 pages
// that only managed applications may use.
constexpr CodePageCharsetRow kCharsets[] = {
    {0, "UTF-8"},           {37, "IBM037"},         {437, "IBM437"},        {500, "IBM500"},
    {708, "ASMO-708"},      {737, "CP737"},         {775, "IBM775"},        {850, "IBM850"},
    {852, "IBM852"},        {855, "IBM855"},        {857, "IBM857"},        {858, "IBM858"},
    {860, "IBM860"},        {861, "IBM861"},        {862, "IBM862"},        {863, "IBM863"},
    {864, "IBM864"},        {865, "IBM865"},        {866, "CP866"},         {869, "IBM869"},
    {870, "IBM870"},        {874, "CP874"},         {875, "IBM875"},        {932, "CP932"},
    {936, "CP936"},         {949, "CP949"},         {950, "CP950"},         {1026, "IBM1026"},
    {1047, "IBM1047"},      {1140, "IBM1140"},      {1141, "IBM1141"},      {1142, "IBM1142"},
    {1143, "IBM1143"},      {1144, "IBM1144"},      {1145, "IBM1145"},      {1146, "IBM1146"},
    {1147, "IBM1147"},      {1148, "IBM1148"},      {1149, "IBM1149"},      {1250, "CP1250"},
    {1251, "CP1251"},       {1252, "CP1252"},       {1253, "CP1253"},       {1254, "CP1254"},
    {1255, "CP1255"},       {1256, "CP1256"},       {1257, "CP1257"},       {1258, "CP1258"},
    {1361, "JOHAB"},        {10000, "MACINTOSH"},   {10007, "MAC-CYRILLIC"}, {10017, "MACUKRAINIAN"},
    {10029, "MAC-CENTRALEUROPE"}, {10079, "MAC-IS"}, {20106, "ISO646-DE"},  {20107, "ISO646-SE"},
    {20108, "ISO646-NO"},   {20127, "ASCII"},       {20261, "T.61-8BIT"},   {20269, "ISO_6937"},
    {20273, "IBM273"},      {20277, "IBM277"},      {20278, "IBM278"},      {20280, "IBM280"},
    {20284, "IBM284"},      {20285, "IBM285"},      {20290, "IBM290"},      {20297, "IBM297"},
    {20420, "IBM420"},      {20423, "IBM423"},      {20424, "IBM424"},      {20866, "KOI8-R"},
    {20871, "IBM871"},      {20880, "IBM880"},      {20905, "IBM905"},      {20932, "EUC-JP"},
    {20936, "GB2312"},      {20949, "EUC-KR"},      {21025, "IBM1025"},     {21866, "KOI8-U"},
    {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},  {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"},
    {28599, "ISO-8859-9"},  {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    {38598, "ISO-8859-8"},  // logical-order Hebrew: the same bytes as visual order
    {50220, "ISO-2022-JP"}, {50221, "ISO-2022-JP"}, {50222, "ISO-2022-JP"}, {50225, "ISO-2022-KR"},
    {50227, "ISO-2022-CN"}, {51932, "EUC-JP"},      {51936, "EUC-CN"},      {51949, "EUC-KR"},
    {54936, "GB18030"},     {65000, "UTF-7"},       {65001, "UTF-8"},
};

// The UTF-16 form of char16_t in memory on this machine.
constexpr const char* kWideCharset = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// iconv_open's failure value, (iconv_t)-1.
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1));

// Open descriptors of this thread, per code page and direction; an iconv
// descriptor keeps shift state, so it must not be shared between threads.
class TDescriptorCache {
public:
  ~TDescriptorCache() {
    for (auto& entry : open_) ::iconv_close(entry.second);
  }

  iconv_t Get(int codePage, bool toWide) {
    const auto key = std::make_pair(codePage, toWide);
    auto found = open_.find(key);
    if (found == open_.end()) {
      const char* charset = CodePageCharset(codePage);
      if (!charset) throw ECodePageError("No converter for code page " + std::to_string(codePage));
      const iconv_t cd = toWide ? ::iconv_open(kWideCharset, charset) : ::iconv_open(charset, kWideCharset);
      if (cd == kNoDescriptor)
        throw ECodePageError("Cannot convert code page " + std::to_string(codePage) + " (" + charset + ")");
      found = open_.emplace(key, cd).first;
    }
    ::iconv(found->second, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
    return found->second;
  }

private:
  std::map<std::pair<int, bool>, iconv_t> open_;
};

TDescriptorCache& Descriptors() {
  thread_local TDescriptorCache cache;
  return cache;
}

// Output of one conversion, grown as iconv asks for room.
class TOutput {
public:
  std::string bytes;

  // Runs iconv over [in, in + left) until it is done or stops at input it
  // cannot take; answers the errno of the stop (0 when all was consumed).
  int Convert(iconv_t cd, const char*& in, size_t& left) {
    for (;;) {
      Reserve(left * 4 + 16);
      char* inPtr = const_cast<char*>(in);
      char* outPtr = bytes.data() + used_;
      size_t room = bytes.size() - used_;
      const size_t result = ::iconv(cd, in ? &inPtr : nullptr, in ? &left : nullptr, &outPtr, &room);
      const int error = result == static_cast<size_t>(-1) ? errno : 0;
      used_ = static_cast<size_t>(outPtr - bytes.data());
      if (in) in = inPtr;
      if (error != E2BIG) return error;
    }
  }

  // Writes the closing shift sequence of a stateful encoding.
  void Finish(iconv_t cd) {
    const char* none = nullptr;
    size_t zero = 0;
    Convert(cd, none, zero);
  }

  void Append(const char* data, size_t size) {
    Reserve(size);
    std::memcpy(bytes.data() + used_, data, size);
    used_ += size;
  }

  std::string Take() {
    bytes.resize(used_);
    return std::move(bytes);
  }

private:
  void Reserve(size_t room) {
    if (bytes.size() - used_ < room) bytes.resize(std::max(bytes.size() * 2, used_ + room));
  }

  size_t used_ = 0;
};

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// UTF-16 units that make up the character at text[index] (2 for a pair).
size_t CharacterUnits(const std::u16string& text, size_t index) {
  return IsHighSurrogate(text[index]) && index + 1 < text.size() && IsLowSurrogate(text[index + 1]) ? 2 : 1;
}

// The code page's "?" goes through the converter too, so that EBCDIC pages
// get their own question mark and stateful pages stay in step.
void AppendDefaultCharacter(iconv_t cd, TOutput& out) {
  static constexpr char16_t kQuestion[] = u"?";
  const char* in = reinterpret_cast<const char*>(kQuestion);
  size_t left = sizeof(char16_t);
  if (out.Convert(cd, in, left) != 0) out.Append("?", 1);
}

} // namespace

const char* CodePageCharset(int codePage) {
  const auto* end = std::end(kCharsets);
  const auto* row = std::lower_bound(std::begin(kCharsets), end, codePage,
                                     [](const CodePageCharsetRow& r, int cp) { return r.codePage < cp; });
  return row != end && row->codePage == codePage ? row->charset : nullptr;
}

std::string WideToMultiByte(const std::u16string& text, int codePage) {
  const iconv_t cd = Descriptors().Get(codePage, false);
  TOutput out;
  const char* const begin = reinterpret_cast<const char*>(text.data());
  const char* in = begin;
  size_t left = text.size() * sizeof(char16_t);
  while (left > 0) {
    if (out.Convert(cd, in, left) == 0) break;
    // Stopped at a character the code page lacks, or at a broken surrogate.
    const size_t index = static_cast<size_t>(in - begin) / sizeof(char16_t);
    const size_t skip = CharacterUnits(text, index) * sizeof(char16_t);
    in += skip;
    left -= skip;
    AppendDefaultCharacter(cd, out);
  }
  out.Finish(cd);
  return out.Take();
}

std::u16string MultiByteToWide(const std::string& bytes, int codePage) {
  const iconv_t cd = Descriptors().Get(codePage, true);
  TOutput out;
  const char* in = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    if (out.Convert(cd, in, left) == 0) break;
    // Stopped at a byte sequence that is invalid or cut off.
    ++in;
    --left;
    static constexpr char16_t kReplacement = u'\uFFFD';
    out.Append(reinterpret_cast<const char*>(&kReplacement), sizeof kReplacement);
  }
  out.Finish(cd);
  const std::string raw = out.Take();
  std::u16string text(raw.size() / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), raw.data(), text.size() * sizeof(char16_t));
  return text;
}

} // namespace qm
