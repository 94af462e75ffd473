#include "engine/CodePages.h"

#include "platform/CodePageConverter.h"

#include <charconv>
#include <memory>

namespace qm {

namespace {

struct CodePageRow {
  const char* name;
  const char* codePage;  // as stored: "037" keeps its leading zero
  const char* description;
};

constexpr const char* kManagedOnly = "available only to managed applications";

// Added in this order; the list sorts them.
constexpr CodePageRow kCodePageRows[] = {
    {"asmo708", "708", "Arabic (ASMO 708)"},
    {"dos720", "720", "Arabic (DOS)"},
    {"dos862", "862", "Hebrew (DOS)"},
    {"euccn", "51936", "Chinese Simplified (EUC)"},
    {"eucjp", "20932", "Japanese (JIS 0208-1990 and 0212-1990)"},
    {"gb18030", "54936", "Chinese Simplified (GB18030)"},
    {"ibmthai", "20838", "IBM EBCDIC Thai"},
    {"ibm00858", "858", "OEM Multilingual Latin 1 with euro"},
    {"ibm00924", "20924", "IBM EBCDIC Latin 1 with euro"},
    {"ibm01047", "1047", "IBM EBCDIC Latin 1 (open systems)"},
    {"ibm01140", "1140", "IBM EBCDIC US-Canada with euro"},
    {"ibm01141", "1141", "IBM EBCDIC Germany with euro"},
    {"ibm01142", "1142", "IBM EBCDIC Denmark-Norway with euro"},
    {"ibm01143", "1143", "IBM EBCDIC Finland-Sweden with euro"},
    {"ibm01144", "1144", "IBM EBCDIC Italy with euro"},
    {"ibm01145", "1145", "IBM EBCDIC Latin America-Spain with euro"},
    {"ibm01146", "1146", "IBM EBCDIC United Kingdom with euro"},
    {"ibm01147", "1147", "IBM EBCDIC France with euro"},
    {"ibm01148", "1148", "IBM EBCDIC International with euro"},
    {"ibm01149", "1149", "IBM EBCDIC Icelandic with euro"},
    {"ibm037", "037", "IBM EBCDIC US-Canada"},
    {"ibm1026", "1026", "IBM EBCDIC Turkish (Latin 5)"},
    {"ibm273", "20273", "IBM EBCDIC Germany"},
    {"ibm277", "20277", "IBM EBCDIC Denmark-Norway"},
    {"ibm278", "20278", "IBM EBCDIC Finland-Sweden"},
    {"ibm280", "20280", "IBM EBCDIC Italy"},
    {"ibm284", "20284", "IBM EBCDIC Latin America-Spain"},
    {"ibm285", "20285", "IBM EBCDIC United Kingdom"},
    {"ibm290", "20290", "IBM EBCDIC Japanese Katakana extended"},
    {"ibm297", "20297", "IBM EBCDIC France"},
    {"ibm420", "20420", "IBM EBCDIC Arabic"},
    {"ibm423", "20423", "IBM EBCDIC Greek"},
    {"ibm424", "20424", "IBM EBCDIC Hebrew"},
    {"ibm437", "437", "OEM United States"},
    {"ibm500", "500", "IBM EBCDIC International"},
    {"ibm855", "855", "OEM Cyrillic"},
    {"ibm860", "860", "OEM Portuguese"},
    {"ibm863", "863", "OEM French Canadian"},
    {"ibm864", "864", "OEM Arabic"},
    {"ibm865", "865", "OEM Nordic"},
    {"ibm870", "870", "IBM EBCDIC Multilingual Latin 2"},
    {"ibm871", "20871", "IBM EBCDIC Icelandic"},
    {"ibm880", "20880", "IBM EBCDIC Cyrillic Russian"},
    {"ibm905", "20905", "IBM EBCDIC Turkish"},
    {"johab", "1361", "Korean (Johab)"},
    {"big5", "950", "Chinese Traditional (Big5)"},
    {"cp1025", "21025", "IBM EBCDIC Cyrillic Serbian-Bulgarian"},
    {"cp866", "866", "OEM Russian; Cyrillic (DOS)"},
    {"cp875", "875", "IBM EBCDIC Greek Modern"},
    {"csiso2022jp", "50221", "Japanese (JIS, 1-byte Kana allowed)"},
    {"eucjp", "51932", "Japanese (EUC)"},
    {"euckr", "51949", "Korean (EUC)"},
    {"gb2312", "936", "Chinese Simplified (GB2312)"},
    {"hzgb2312", "52936", "Chinese Simplified (HZ)"},
    {"ibm737", "737", "OEM Greek"},
    {"ibm775", "775", "OEM Baltic"},
    {"ibm850", "850", "OEM Multilingual Latin 1"},
    {"ibm852", "852", "OEM Latin 2; Central European (DOS)"},
    {"ibm857", "857", "OEM Turkish"},
    {"ibm861", "861", "OEM Icelandic"},
    {"ibm869", "869", "OEM Modern Greek"},
    {"iso2022jp", "50220", "Japanese (JIS)"},
    {"iso2022jp", "50222", "Japanese (JIS, 1-byte Kana via SO/SI)"},
    {"iso2022kr", "50225", "Korean (ISO-2022)"},
    {"iso885913", "28603", "Estonian (ISO 8859-13)"},
    {"iso885915", "28605", "Latin 9 (ISO 8859-15)"},
    {"iso88591", "28591", "Western European (ISO 8859-1)"},
    {"iso88592", "28592", "Central European (ISO 8859-2)"},
    {"iso88593", "28593", "Latin 3 (ISO 8859-3)"},
    {"iso88594", "28594", "Baltic (ISO 8859-4)"},
    {"iso88595", "28595", "Cyrillic (ISO 8859-5)"},
    {"iso88596", "28596", "Arabic (ISO 8859-6)"},
    {"iso88597", "28597", "Greek (ISO 8859-7)"},
    {"iso88598-i", "38598", "Hebrew (ISO 8859-8, logical order)"},
    {"iso88598", "28598", "Hebrew (ISO 8859-8, visual order)"},
    {"iso88599", "28599", "Turkish (ISO 8859-9)"},
    {"koi8r", "20866", "Russian (KOI8-R); Cyrillic (KOI8-R)"},
    {"koi8u", "21866", "Ukrainian (KOI8-U); Cyrillic (KOI8-U)"},
    {"ksc56011987", "949", "Korean (Unified Hangul Code)"},
    {"macintosh", "10000", "Western European (Mac)"},
    {"shiftjis", "932", "Japanese (Shift-JIS)"},
    {"unicodefffe", "1201", kManagedOnly},
    {"usascii", "20127", "US-ASCII (7-bit)"},
    {"utf16", "1200", kManagedOnly},
    {"utf32", "12000", kManagedOnly},
    {"utf32be", "12001", kManagedOnly},
    {"utf7", "65000", "Unicode (UTF-7)"},
    {"utf8", "65001", "Unicode (UTF-8)"},
    {"windows1250", "1250", "Central European (Windows)"},
    {"windows1251", "1251", "Cyrillic (Windows)"},
    {"windows1252", "1252", "Western European (Windows)"},
    {"windows1253", "1253", "Greek (Windows)"},
    {"windows1254", "1254", "Turkish (Windows)"},
    {"windows1255", "1255", "Hebrew (Windows)"},
    {"windows1256", "1256", "Arabic (Windows)"},
    {"windows1257", "1257", "Baltic (Windows)"},
    {"windows1258", "1258", "Vietnamese (Windows)"},
    {"windows874", "874", "Thai (Windows)"},
    {"xchinesecns", "20000", "Chinese Traditional (CNS)"},
    {"xebcdickoreanextended", "20833", "IBM EBCDIC Korean extended"},
    {"xeuropa", "29001", "Europa 3"},
    {"xia5german", "20106", "IA5 German (7-bit)"},
    {"xia5norwegian", "20108", "IA5 Norwegian (7-bit)"},
    {"xia5swedish", "20107", "IA5 Swedish (7-bit)"},
    {"xia5", "20105", "IA5 International (7-bit)"},
    {"xcp20001", "20001", "TCA Taiwan"},
    {"xcp20003", "20003", "IBM5550 Taiwan"},
    {"xcp20004", "20004", "TeleText Taiwan"},
    {"xcp20005", "20005", "Wang Taiwan"},
    {"xcp20261", "20261", "T.61"},
    {"xcp20269", "20269", "ISO 6937 non-spacing accents"},
    {"xcp20936", "20936", "Chinese Simplified (GB2312-80)"},
    {"xcp20949", "20949", "Korean Wansung"},
    {"xcp50227", "50227", "Chinese Simplified (ISO-2022)"},
    {"xisciias", "57006", "ISCII Assamese"},
    {"xisciibe", "57003", "ISCII Bangla"},
    {"xisciide", "57002", "ISCII Devanagari"},
    {"xisciigu", "57010", "ISCII Gujarati"},
    {"xisciika", "57008", "ISCII Kannada"},
    {"xisciima", "57009", "ISCII Malayalam"},
    {"xisciior", "57007", "ISCII Odia"},
    {"xisciipa", "57011", "ISCII Punjabi"},
    {"xisciita", "57004", "ISCII Tamil"},
    {"xisciite", "57005", "ISCII Telugu"},
    {"xmacarabic", "10004", "Arabic (Mac)"},
    {"xmacce", "10029", "Central European (Mac)"},
    {"xmacchinesesimp", "10008", "Chinese Simplified (Mac)"},
    {"xmacchinesetrad", "10002", "Chinese Traditional (Mac)"},
    {"xmaccroatian", "10082", "Croatian (Mac)"},
    {"xmaccyrillic", "10007", "Cyrillic (Mac)"},
    {"xmacgreek", "10006", "Greek (Mac)"},
    {"xmachebrew", "10005", "Hebrew (Mac)"},
    {"xmacicelandic", "10079", "Icelandic (Mac)"},
    {"xmacjapanese", "10001", "Japanese (Mac)"},
    {"xmackorean", "10003", "Korean (Mac)"},
    {"xmacromanian", "10010", "Romanian (Mac)"},
    {"xmacthai", "10021", "Thai (Mac)"},
    {"xmacturkish", "10081", "Turkish (Mac)"},
    {"xmacukrainian", "10017", "Ukrainian (Mac)"},
    {"xchineseeten", "20002", "Chinese Traditional (ETEN)"},
};

void FillCodePageTable(TStringList& table) {
  for (const CodePageRow& row : kCodePageRows)
    table.Add(std::string(row.name) + "=" + row.codePage + "|" + row.description);
}

bool IsAsciiAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The integer before the first "|" of a row's value; 0 when it is none.
int CodePageOfValue(const std::string& value) {
  const std::string number = value.substr(0, value.find('|'));
  int codePage = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), codePage);
  return error == std::errc() && end == number.data() + number.size() ? codePage : 0;
}

} // namespace

TStringList& CodePageTable() {
  static TStringList& table = *[] {
    auto* list = new TStringList();  // lives to process end
    list->SetCaseSensitive(false);
    list->SetDuplicates(TDuplicates::dupIgnore);
    list->SetSorted(true);
    return list;
  }();
  if (table.Empty()) FillCodePageTable(table);
  return table;
}

std::string NormalizeEncodingName(const std::string& text) {
  std::string name;
  for (char c : text) {
    if (!IsAsciiAlphanumeric(c)) continue;
    name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
  }
  return name;
}

int CodePageOf(const std::string& encodingName) {
  const TStringList& table = CodePageTable();
  const std::string name = NormalizeEncodingName(encodingName);
  // Rows of one name sit together right where "name=" would be inserted.
  const std::string prefix = name + "=";
  int index = 0;
  table.Find(prefix, index);
  if (index >= table.Count()) return 0;
  const std::string& row = table[index];
  if (table.CompareStrings(row.substr(0, prefix.size()), prefix) != 0) return 0;
  return CodePageOfValue(row.substr(prefix.size()));
}

std::string WideToCodePage(const std::u16string& word, int codePage) {
  if (word.empty()) return {};
  std::string bytes = WideToMultiByte(word, codePage);
  if (bytes.empty()) throw ECodePageError("No bytes from code page " + std::to_string(codePage));
  return bytes;
}

std::u16string CodePageToWide(const std::string& bytes, int codePage) {
  if (bytes.empty()) return {};
  std::u16string text = MultiByteToWide(bytes, codePage);
  if (text.empty()) throw ECodePageError("No characters from code page " + std::to_string(codePage));
  return text;
}

namespace {

int Utf8Length(char16_t unit) { return unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3; }

} // namespace

int EncodeUtf8(char* dest, int destSize, const char16_t* source, int count) {
  if (!source) return 0;
  if (!dest) {
    int size = 1;
    for (int i = 0; i < count; ++i) size += Utf8Length(source[i]);
    return size;
  }
  if (destSize < 1) return 0;  // not even room for the zero byte
  // The last byte is kept for the zero, so a character that does not fit
  // whole is left out rather than cut by the zero byte.
  const int room = destSize - 1;
  int j = 0;
  for (int i = 0; i < count && j < room; ++i) {
    const unsigned unit = source[i];
    const int length = Utf8Length(source[i]);
    if (j + length > room) break;
    if (length == 1) {
      dest[j++] = static_cast<char>(unit);
    } else if (length == 2) {
      dest[j++] = static_cast<char>(0xC0 | (unit >> 6));
      dest[j++] = static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      dest[j++] = static_cast<char>(0xE0 | (unit >> 12));
      dest[j++] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      dest[j++] = static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  dest[j] = '\0';
  return j + 1;
}

std::string WideToUtf8(const std::u16string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size()) * 3 + 1;
  std::string buffer(static_cast<size_t>(size), '\0');
  const int written = EncodeUtf8(buffer.data(), size, text.data(), static_cast<int>(text.size()));
  buffer.resize(static_cast<size_t>(written > 0 ? written - 1 : 0));
  return buffer;
}

} // namespace qm
