// x86 assembly lexer (Intel syntax: MASM, TASM, NASM).
//
// Special cases:
// - ";" and "#" comment to the end of the line, and so does "//"; a single
//   "/" is a symbol.
// - Strings in double or single quotes run to the next quote of the same
//   kind or to the end of the line, with no escapes. Three opening quotes of
//   one kind are taken together before the scan for the closing quote.
#include "lexers/SynAsmSyn.h"

#include "lexers/ClassicScan.h"

namespace qm {

using namespace classic;

namespace {

// Instructions, registers and directives.
constexpr std::string_view kKeywords[] = {
    // instructions
    "aaa", "aad", "aam", "aas", "adc", "add", "and", "bound", "bsf", "bsr", "bswap", "bt", "btc", "btr", "bts",
    "call", "cbw", "cdq", "cdqe", "clc", "cld", "cli", "cmc", "cmova", "cmovae", "cmovb", "cmovbe", "cmove",
    "cmovg", "cmovge", "cmovl", "cmovle", "cmovne", "cmovnz", "cmovz", "cmp", "cmps", "cmpsb", "cmpsd",
    "cmpsw", "cmpxchg", "cpuid", "cqo", "cwd", "cwde", "daa", "das", "dec", "div", "enter", "hlt", "idiv",
    "imul", "in", "inc", "ins", "insb", "insd", "insw", "int", "into", "iret", "iretd", "ja", "jae", "jb",
    "jbe", "jc", "jcxz", "je", "jecxz", "jg", "jge", "jl", "jle", "jmp", "jna", "jnae", "jnb", "jnbe", "jnc",
    "jne", "jng", "jnge", "jnl", "jnle", "jno", "jnp", "jns", "jnz", "jo", "jp", "jpe", "jpo", "js", "jz",
    "lahf", "lds", "lea", "leave", "les", "lfs", "lgs", "lock", "lods", "lodsb", "lodsd", "lodsw", "loop",
    "loope", "loopne", "loopnz", "loopz", "lss", "mov", "movs", "movsb", "movsd", "movsw", "movsx", "movsxd",
    "movzx", "mul", "neg", "nop", "not", "or", "out", "outs", "outsb", "outsd", "outsw", "pop", "popa",
    "popad", "popf", "popfd", "push", "pusha", "pushad", "pushf", "pushfd", "rcl", "rcr", "rdtsc", "rep",
    "repe", "repne", "repnz", "repz", "ret", "retf", "retn", "rol", "ror", "sahf", "sal", "sar", "sbb",
    "scas", "scasb", "scasd", "scasw", "seta", "setae", "setb", "setbe", "sete", "setg", "setge", "setl",
    "setle", "setne", "setnz", "setz", "shl", "shld", "shr", "shrd", "stc", "std", "sti", "stos", "stosb",
    "stosd", "stosw", "sub", "syscall", "sysenter", "test", "wait", "xadd", "xchg", "xlat", "xor",
    // registers
    "ah", "al", "ax", "bh", "bl", "bp", "bpl", "bx", "ch", "cl", "cr0", "cr2", "cr3", "cr4", "cs", "cx", "dh",
    "di", "dil", "dl", "dr0", "dr1", "dr2", "dr3", "dr6", "dr7", "ds", "dx", "eax", "ebp", "ebx", "ecx", "edi",
    "edx", "es", "esi", "esp", "fs", "gs", "r8", "r9", "r10", "r11", "r12", "r13", "r14", "r15", "rax", "rbp",
    "rbx", "rcx", "rdi", "rdx", "rsi", "rsp", "si", "sil", "sp", "spl", "ss", "st",
    // directives and operators
    "align", "assume", "bits", "byte", "code", "comm", "const", "data", "db", "dd", "default", "dq", "dt",
    "dup", "dw", "dword", "else", "end", "endif", "endm", "endp", "ends", "equ", "extern", "externdef",
    "extrn", "far", "fword", "global", "group", "if", "ifdef", "ifndef", "include", "includelib", "invoke",
    "label", "local", "macro", "model", "near", "offset", "org", "proc", "proto", "ptr", "public", "qword",
    "resb", "resd", "resq", "resw", "section", "segment", "short", "stack", "struc", "struct", "times",
    "tbyte", "type", "uses", "word",
};

} // namespace

TSynAsmSyn::TSynAsmSyn() {
  SetScanCaseSensitive(false);
  auto* comment = AddAttribute("Comment");
  auto* identifier = AddAttribute("Identifier");
  auto* key = AddAttribute("ReservedWord");
  auto* number = AddAttribute("Number");
  auto* space = AddAttribute("Space");
  auto* string = AddAttribute("String");
  auto* symbol = AddAttribute("Symbol");
  comment->SetStyle(fsItalic);
  comment->SetForeground(0x808080);
  key->SetStyle(fsBold);
  string->SetForeground(0x800000);
  number->SetForeground(0x000080);
  SaveAttributeDefaults();

  byKind_[tkComment] = comment;
  byKind_[tkIdentifier] = identifier;
  byKind_[tkKey] = key;
  byKind_[tkNumber] = number;
  byKind_[tkSpace] = space;
  byKind_[tkString] = string;
  byKind_[tkSymbol] = symbol;
  byKind_[tkUnknown] = identifier;

  for (std::string_view word : kKeywords) keywords_.Add(word, tkKey);
  SetDefaultFilter("x86 Assembly Files (*.asm)|*.asm");
}

TSynHighlighterAttributes* TSynAsmSyn::DefaultAttribute(int role) const {
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

void TSynAsmSyn::NextToken() {
  tokenPos_ = run_;
  const char16_t ch = Cur();
  if (ch == u'\0') {
    kind_ = tkNull;
    SetLineEnd();
    return;
  }
  Dispatch(ch);
}

void TSynAsmSyn::Dispatch(char16_t ch) {
  switch (ch) {
    case u';':
    case u'#':
      return CommentToLineEnd();
    case u'/':
      return SlashProc();
    case u'"':
    case u'\'':
      return StringProc(ch);
    case u'!': case u'$': case u'%': case u'&': case u'(': case u')': case u'*': case u'+': case u',':
    case u'-': case u'.': case u':': case u'<': case u'=': case u'>': case u'?': case u'@': case u'[':
    case u']': case u'\\': case u'^': case u'{': case u'|': case u'}': case u'~':
      return SymbolProc();
    default:
      if (ch <= 32) {
        kind_ = tkSpace;
        run_ = SpaceEnd(ScanText(), run_);
      } else if (IsDigit(ch)) {
        NumberProc();
      } else if (IsWordStart(ch)) {
        IdentProc();
      } else {
        kind_ = tkUnknown;
        ++run_;
      }
  }
}

void TSynAsmSyn::CommentToLineEnd() {
  kind_ = tkComment;
  run_ = LineEnd(ScanText(), run_);
}

void TSynAsmSyn::SlashProc() {
  if (Ch(run_ + 1) == u'/') return CommentToLineEnd();
  SymbolProc();
}

void TSynAsmSyn::StringProc(char16_t quote) {
  kind_ = tkString;
  run_ += Ch(run_ + 1) == quote && Ch(run_ + 2) == quote ? 3 : 1;
  run_ = QuotedEnd(ScanText(), run_, quote);
}

// A digit, then letters and digits: «10», «0FFh», «0x1F», «101b».
void TSynAsmSyn::NumberProc() {
  kind_ = tkNumber;
  run_ = WordEnd(ScanText(), run_);
}

void TSynAsmSyn::IdentProc() {
  run_ = WordEnd(ScanText(), run_);
  const std::u16string_view word = ScanText().substr(static_cast<size_t>(tokenPos_), static_cast<size_t>(run_ - tokenPos_));
  kind_ = keywords_.Find(word, tkIdentifier);
}

void TSynAsmSyn::SymbolProc() {
  kind_ = tkSymbol;
  ++run_;
}

} // namespace qm
