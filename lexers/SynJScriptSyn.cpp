// JavaScript lexer.
//
// Design notes:
// - A string ends at the first quote (of its own kind) whose previous
//   character is not a backslash. So a string whose last character is an
//   escaped backslash ("C:\\") does not end at its quote and runs to the end
//   of the line. Strings never continue on the next line; three double (or
//   single) quotes are taken together before the scan for the end begins.
// - There is no regular-expression literal: "/" is a symbol, "//" and "/*"
//   always open comments.
// - Characters no rule claims ("$", "@", "#", backslash, backquote, codes
//   above 126) are one-character tokens shown as "Identifier".
#include "lexers/SynJScriptSyn.h"

#include "lexers/CFamilyScan.h"

#include <iterator>

namespace qm {

using namespace cfamily;

namespace {

constexpr std::string_view kReserved[] = {
    "break", "case", "catch", "class", "const", "continue", "debugger", "default", "delete", "do", "else",
    "enum", "export", "extends", "false", "finally", "for", "function", "if", "implements", "import", "in",
    "instanceof", "interface", "let", "new", "null", "package", "private", "protected", "public", "return",
    "static", "super", "switch", "this", "throw", "true", "try", "typeof", "var", "void", "while", "with",
    "yield", "await", "abstract", "boolean", "byte", "char", "double", "final", "float", "goto", "int", "long",
    "native", "short", "synchronized", "throws", "transient", "volatile"
};

constexpr std::string_view kNonReserved[] = {
    "Array", "Boolean", "Date", "Error", "EvalError", "Function", "Infinity", "JSON", "Math", "NaN", "Number",
    "Object", "RangeError", "ReferenceError", "RegExp", "String", "SyntaxError", "TypeError", "URIError",
    "undefined", "arguments", "decodeURI", "decodeURIComponent", "encodeURI", "encodeURIComponent", "escape",
    "eval", "isFinite", "isNaN", "parseFloat", "parseInt", "unescape", "Map", "Set", "WeakMap", "WeakSet",
    "Promise", "Proxy", "Reflect", "Symbol", "ArrayBuffer", "DataView", "Int8Array", "Uint8Array",
    "Uint8ClampedArray", "Int16Array", "Uint16Array", "Int32Array", "Uint32Array", "Float32Array",
    "Float64Array", "BigInt", "Intl", "globalThis", "of", "get", "set", "async", "from", "constructor",
    "prototype", "length", "toString", "valueOf", "hasOwnProperty", "isPrototypeOf", "propertyIsEnumerable",
    "toLocaleString", "apply", "call", "bind", "window", "document", "navigator", "location", "history",
    "screen", "frames", "parent", "top", "self", "opener", "alert", "confirm", "prompt", "open", "close",
    "print", "focus", "blur", "setTimeout", "setInterval", "clearTimeout", "clearInterval",
    "requestAnimationFrame", "cancelAnimationFrame", "console", "localStorage", "sessionStorage",
    "XMLHttpRequest", "fetch", "Image", "Option", "Event", "CustomEvent", "Element", "HTMLElement", "Node",
    "NodeList", "addEventListener", "removeEventListener", "dispatchEvent", "getElementById",
    "getElementsByTagName", "getElementsByClassName", "getElementsByName", "querySelector", "querySelectorAll",
    "createElement", "createTextNode", "appendChild", "removeChild", "getAttribute", "setAttribute",
    "innerHTML", "outerHTML", "innerText", "textContent", "className", "classList", "style", "value", "checked",
    "disabled", "selected", "src", "href", "write", "writeln", "body", "head", "title", "cookie", "domain",
    "referrer", "URL", "forms", "images", "links", "anchors", "abs", "acos", "asin", "atan", "atan2", "ceil",
    "cos", "exp", "floor", "log", "max", "min", "pow", "random", "round", "sin", "sqrt", "tan", "E", "LN10",
    "LN2", "LOG10E", "LOG2E", "PI", "SQRT1_2", "SQRT2", "charAt", "charCodeAt", "fromCharCode", "concat",
    "indexOf", "lastIndexOf", "match", "replace", "search", "slice", "split", "substr", "substring",
    "toLowerCase", "toUpperCase", "trim", "join", "pop", "push", "reverse", "shift", "sort", "splice",
    "unshift", "forEach", "map", "filter", "reduce", "some", "every", "keys", "values", "entries", "isArray",
    "getDate", "getDay", "getFullYear", "getHours", "getMinutes", "getMonth", "getSeconds", "getTime",
    "getTimezoneOffset", "setDate", "setFullYear", "setHours", "setMinutes", "setMonth", "setSeconds",
    "setTime", "toDateString", "toISOString", "toUTCString", "parse", "stringify", "now", "test", "exec", "then"
};

constexpr std::string_view kEvents[] = {
    "onabort", "onafterprint", "onanimationend", "onanimationiteration", "onanimationstart", "onbeforeinput",
    "onbeforeprint", "onbeforeunload", "onblur", "oncanplay", "oncanplaythrough", "onchange", "onclick",
    "oncompositionend", "oncompositionstart", "oncompositionupdate", "oncontextmenu", "oncopy", "oncut",
    "ondblclick", "ondrag", "ondragend", "ondragenter", "ondragleave", "ondragover", "ondragstart", "ondrop",
    "ondurationchange", "onemptied", "onended", "onerror", "onfocus", "onfocusin", "onfocusout",
    "onfullscreenchange", "onfullscreenerror", "ongotpointercapture", "onhashchange", "oninput", "oninvalid",
    "onkeydown", "onkeypress", "onkeyup", "onload", "onloadeddata", "onloadedmetadata", "onloadstart",
    "onlostpointercapture", "onmessage", "onmousedown", "onmouseenter", "onmouseleave", "onmousemove",
    "onmouseout", "onmouseover", "onmouseup", "onmousewheel", "onoffline", "ononline", "onpagehide",
    "onpageshow", "onpaste", "onpause", "onplay", "onplaying", "onpointercancel", "onpointerdown",
    "onpointerenter", "onpointerleave", "onpointermove", "onpointerout", "onpointerover", "onpointerup",
    "onpopstate", "onprogress", "onratechange", "onreadystatechange", "onreset", "onresize", "onscroll",
    "onsearch", "onseeked", "onseeking", "onselect", "onselectionchange", "onselectstart", "onstalled",
    "onstorage", "onsubmit", "onsuspend", "ontimeupdate", "ontoggle", "ontouchcancel", "ontouchend",
    "ontouchmove", "ontouchstart", "ontransitionend", "onunload", "onvisibilitychange", "onvolumechange",
    "onwaiting", "onwheel"
};

} // namespace

std::span<const std::string_view> TSynJScriptSyn::ReservedWords() { return kReserved; }
std::span<const std::string_view> TSynJScriptSyn::NonReservedKeywords() { return kNonReserved; }
std::span<const std::string_view> TSynJScriptSyn::Events() { return kEvents; }

TSynJScriptSyn::TSynJScriptSyn() {
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* nonReserved = AddAttribute("NonreservedKeyword");
  auto* event = AddAttribute("Event");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  key->SetStyle(fsBold);
  event->SetStyle(fsBold);
  string->SetForeground(0x800000);
  number->SetForeground(0x000080);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNonReservedKey] = nonReserved;
  byKind_[tkEvent] = event;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkUnknown] = identifier;

  for (std::string_view word : kReserved) keywords_.Add(word, tkKey);
  for (std::string_view word : kNonReserved) keywords_.Add(word, tkNonReservedKey);
  for (std::string_view word : kEvents) keywords_.Add(word, tkEvent);
  SetDefaultFilter("Javascript Files (*.js)|*.js");
}

void TSynJScriptSyn::NextToken() {
  tokenPos_ = run_;
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  if (ch == u'\n' || ch == u'\r') {
    kind_ = tkSpace;
    ++run_;
    return;
  }
  if (range_ == rsAnsiC) {
    kind_ = tkComment;
    return CommentBody();
  }
  Dispatch(ch);
}

void TSynJScriptSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u'"':
    case u'\'':
      return StringProc(ch);
    case u'/':
      return SlashProc();
    case u'.':
      if (IsDigit(Ch(run_ + 1))) return NumberProc();
      return SymbolProc(OperatorLength(ScanText(), run_));
    case u'!': case u'%': case u'&': case u'(': case u')': case u'*': case u'+': case u',': case u'-':
    case u':': case u';': case u'<': case u'=': case u'>': case u'?': case u'[': case u']': case u'^':
    case u'{': case u'|': case u'}': case u'~':
      return SymbolProc(OperatorLength(ScanText(), run_));
    default:
      if (ch <= 32) {
        kind_ = tkSpace;
        run_ = SpaceEnd(ScanText(), run_);
        return;
      }
      if (IsDigit(ch)) return NumberProc();
      if (IsIdentStart(ch)) return IdentProc();
      kind_ = tkUnknown;
      ++run_;
      return;
  }
}

void TSynJScriptSyn::SymbolProc(int length) {
  kind_ = tkSymbol;
  run_ += length;
}

void TSynJScriptSyn::SlashProc() {
  switch (Ch(run_ + 1)) {
    case u'*':
      range_ = rsAnsiC;
      kind_ = tkComment;
      run_ += 2;
      return CommentBody();
    case u'/':
      kind_ = tkComment;
      run_ = LineEnd(ScanText(), run_ + 2);
      return;
    default:
      return SymbolProc(OperatorLength(ScanText(), run_));
  }
}

void TSynJScriptSyn::CommentBody() {
  const int close = CommentCloseEnd(ScanText(), run_);
  if (close < 0) {
    run_ = LineEnd(ScanText(), run_);
    return;
  }
  run_ = close;
  range_ = rsUnknown;
}

void TSynJScriptSyn::StringProc(char16_t quote) {
  kind_ = tkString;
  run_ += Ch(run_ + 1) == quote && Ch(run_ + 2) == quote ? 3 : 1;
  for (;;) {
    const char16_t ch = Cur();
    if (IsLineEnd(ch)) return;
    ++run_;
    if (ch == quote && Ch(run_ - 2) != u'\\') return;
  }
}

void TSynJScriptSyn::IdentProc() {
  while (IsIdentChar(Cur())) ++run_;
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
}

// A digit (or "." and a digit), then digits, ".", "x" and "X"; the letters
// "a" to "f" only in a number that begins with "0x". Stops before "..".
void TSynJScriptSyn::NumberProc() {
  const bool hex = Ch(tokenPos_) == u'0' && (Ch(tokenPos_ + 1) == u'x' || Ch(tokenPos_ + 1) == u'X');
  kind_ = tkNumber;
  ++run_;
  for (;;) {
    const char16_t ch = Cur();
    if (ch == u'.') {
      if (Ch(run_ + 1) == u'.') return;
    } else if (!IsDigit(ch) && ch != u'x' && ch != u'X' && !(hex && IsHexDigit(ch))) {
      return;
    }
    ++run_;
  }
}

TSynHighlighterAttributes* TSynJScriptSyn::TokenAttribute() const {
  return kind_ >= 0 && kind_ < static_cast<int>(std::size(byKind_)) ? byKind_[kind_] : nullptr;
}

TSynHighlighterAttributes* TSynJScriptSyn::DefaultAttribute(int role) const {
  switch (role) {
    case SYN_ATTR_COMMENT: return byKind_[tkComment];
    case SYN_ATTR_IDENTIFIER: return byKind_[tkIdentifier];
    case SYN_ATTR_KEYWORD: return byKind_[tkKey];
    case SYN_ATTR_STRING: return byKind_[tkString];
    case SYN_ATTR_WHITESPACE: return byKind_[tkSpace];
    case SYN_ATTR_SYMBOL: return byKind_[tkSymbol];
    default: return nullptr;
  }
}

} // namespace qm
