// The pattern layer on PCRE2: translates the rule dialect (Unicode \w \b \s,
// "$" = end of text) into PCRE2 syntax, compiles once with JIT, and runs the
// match loops, captures and replacement templates the passes build on.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "regex.h"

#include <pcre2.h>

#include <array>
#include <cstring>
#include <vector>

#include "result.h"
#include "unicode.h"

namespace kalvesta::regex {

namespace {

// The rule dialect's word character: Alphabetic, Mark, Nd, Pc, Join_Control.
#define KALVESTA_WORD_ITEMS R"(\p{Alphabetic}\p{M}\p{Nd}\p{Pc}\p{Join_C})"
#define KALVESTA_WORD "[" KALVESTA_WORD_ITEMS "]"
constexpr std::string_view kWordItems = KALVESTA_WORD_ITEMS;
constexpr std::string_view kWordClass = KALVESTA_WORD;
constexpr std::string_view kNonWordClass = "[^" KALVESTA_WORD_ITEMS "]";
// A word boundary: a word character on exactly one side, or a Chinese
// character (Ideographic) on exactly one side of two word characters.
// Chinese is written without blanks: ‘重量是25kg’ holds the word ‘25kg’.
#define KALVESTA_IDEO R"(\p{Ideographic})"
constexpr std::string_view kBoundary =
    "(?:(?<=" KALVESTA_WORD ")(?!" KALVESTA_WORD ")|(?<!" KALVESTA_WORD ")(?=" KALVESTA_WORD ")"
    "|(?<=" KALVESTA_IDEO ")(?!" KALVESTA_IDEO ")(?=" KALVESTA_WORD ")"
    "|(?<!" KALVESTA_IDEO ")(?<=" KALVESTA_WORD ")(?=" KALVESTA_IDEO "))";
constexpr std::string_view kNonBoundary =
    "(?:(?<=" KALVESTA_IDEO ")(?=" KALVESTA_IDEO ")"
    "|(?<!" KALVESTA_IDEO ")(?<=" KALVESTA_WORD ")(?!" KALVESTA_IDEO ")(?=" KALVESTA_WORD ")"
    "|(?<!" KALVESTA_WORD ")(?!" KALVESTA_WORD "))";
#undef KALVESTA_IDEO
#undef KALVESTA_WORD
#undef KALVESTA_WORD_ITEMS
constexpr std::string_view kSpace = R"(\p{White_Space})";
constexpr std::string_view kNonSpace = R"(\P{White_Space})";

// Generous limits: only runaway backtracking trips them, never ordinary text.
constexpr uint32_t kMatchLimit = 100'000'000;
constexpr uint32_t kDepthLimit = 50'000'000;
constexpr uint32_t kHeapLimitKiB = 1024 * 1024;  // 1 GiB of backtracking frames
constexpr std::size_t kJitStackStart = 64 * 1024;
constexpr std::size_t kJitStackMax = 1024 * 1024 * 1024;  // address space, touched only as needed
constexpr std::size_t kJitStackFallback = 64 * 1024 * 1024;

std::string pcre2_message(int code) {
  PCRE2_UCHAR buf[256];
  int n = pcre2_get_error_message(code, buf, sizeof buf);
  if (n < 0) return "PCRE2 error " + std::to_string(code);
  return std::string(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
}

std::size_t utf8_len(unsigned char b) {
  if (b < 0xC0) return 1;
  if (b < 0xE0) return 2;
  if (b < 0xF0) return 3;
  return 4;
}

// Copies the escape at pattern[i] ("\" plus one whole character) to out.
std::size_t copy_escape(std::string_view p, std::size_t i, std::string& out) {
  std::size_t n = 1;
  if (i + 1 < p.size()) n += utf8_len(static_cast<unsigned char>(p[i + 1]));
  n = std::min(n, p.size() - i);
  out.append(p.substr(i, n));
  return i + n;
}

// For the compile a start gate reads: each class escape as the items of a
// class that holds at least what it matches (`in_class`), or at most
// (`in_negated`, for a negated class), so that the gate's class only grows.
// The non-ASCII digits (Nd) lie in U+0660..1C59, A620..ABF9, FF10..FF19 and
// from U+104A0 on: none among the Chinese characters.
struct WidenedEscape {
  char escape;
  std::string_view in_class, in_negated;
};
constexpr WidenedEscape kWidened[] = {
    {'w', R"(A-Za-z0-9_\x{80}-\x{10ffff})", "A-Za-z0-9_"},
    {'W', R"(\x00-/:-@\[-^`{-\x{10ffff})", R"(\x00-/:-@\[-^`{-\x7f)"},
    {'d', R"(0-9\x{660}-\x{1c59}\x{a620}-\x{abf9}\x{ff10}-\x{ff19}\x{104a0}-\x{1fbf9})", "0-9"},
    {'D', R"(\x00-/:-\x{10ffff})", R"(\x00-/:-\x7f)"},
    {'s', R"(\t-\r\x20\x{85}\x{a0}\x{1680}\x{2000}-\x{200a}\x{2028}\x{2029}\x{202f}\x{205f}\x{3000})", R"(\t-\r\x20)"},
    {'S', R"(\x00-\x08\x0e-\x1f!-\x{10ffff})", R"(\x00-\x08\x0e-\x1f!-\x7f)"},
};

const WidenedEscape* widened(char escape) {
  for (const auto& w : kWidened) {
    if (w.escape == escape) return &w;
  }
  return nullptr;
}

// Translates one character class starting at p[i] == '['; returns the index
// after its closing ']'. A "\W" inside a class has no single-class form, so
// such a class becomes an alternation (or, negated, a look-ahead guard).
// With `gate`, the class escapes are widened instead (see kWidened); *gate
// turns false where that cannot be done.
std::size_t translate_class(std::string_view p, std::size_t i, std::string& out, bool* gate = nullptr) {
  std::size_t j = i + 1;
  bool negated = false;
  if (j < p.size() && p[j] == '^') {
    negated = true;
    ++j;
  }
  std::string items, wide;
  bool has_non_word = false;
  bool first = true;
  while (j < p.size()) {
    char c = p[j];
    if (c == ']' && !first) break;
    first = false;
    if (c == '\\' && j + 1 < p.size() && gate && widened(p[j + 1])) {
      (negated ? items : wide) += negated ? widened(p[j + 1])->in_negated : widened(p[j + 1])->in_class;
      j += 2;
      // "\d-x" would now read as a range.
      if (j + 1 < p.size() && p[j] == '-' && p[j + 1] != ']') *gate = false;
    } else if (c == '\\' && j + 1 < p.size()) {
      char e = p[j + 1];
      if (e == 'w') {
        items += kWordItems;
        j += 2;
      } else if (e == 'W') {
        has_non_word = true;
        j += 2;
      } else if (e == 's') {
        items += kSpace;
        j += 2;
      } else if (e == 'S') {
        items += kNonSpace;
        j += 2;
      } else {
        j = copy_escape(p, j, items);
      }
    } else if (c == '[' && j + 1 < p.size() && p[j + 1] == ':') {
      // POSIX class such as [:alpha:]: copy it whole.
      std::size_t close = p.find(":]", j + 2);
      std::size_t stop = close == std::string_view::npos ? p.size() : close + 2;
      items.append(p.substr(j, stop - j));
      j = stop;
    } else if (c == '[') {
      items += "\\[";  // a lone "[" inside a class is a literal
      ++j;
    } else {
      items.push_back(c);
      ++j;
    }
  }
  bool closed = j < p.size();
  if (closed) ++j;
  if (!closed) {
    // Unterminated: hand PCRE2 the text so it reports the error.
    out.append(p.substr(i));
    return p.size();
  }
  if (!wide.empty()) {
    // Apart from the other items: folding the case of the wide ranges costs
    // a compile milliseconds, and they already hold every case.
    out += "(?:";
    if (!items.empty()) out += "[" + items + "]|";
    out += "(?-i:[" + wide + "]))";
  } else if (!has_non_word) {
    out += negated ? "[^" : "[";
    out += items;
    out += ']';
  } else if (!negated) {
    // [x\W] = x or a non-word character
    out += "(?:";
    if (!items.empty()) out += "[" + items + "]|";
    out += kNonWordClass;
    out += ')';
  } else {
    // [^x\W] = a word character that is not x
    out += "(?:";
    if (!items.empty()) out += "(?![" + items + "])";
    out += kWordClass;
    out += ')';
  }
  return j;
}

}  // namespace

// The pattern with \w \W \s \S \b \B rewritten to the dialect's meanings.
std::string detail::translate(std::string_view p) {
  std::string out;
  out.reserve(p.size() * 2);
  std::size_t i = 0;
  while (i < p.size()) {
    char c = p[i];
    if (c == '\\' && i + 1 < p.size()) {
      char e = p[i + 1];
      switch (e) {
        case 'w': out += kWordClass; i += 2; continue;
        case 'W': out += kNonWordClass; i += 2; continue;
        case 's': out += kSpace; i += 2; continue;
        case 'S': out += kNonSpace; i += 2; continue;
        case 'b': out += kBoundary; i += 2; continue;
        case 'B': out += kNonBoundary; i += 2; continue;
        default: i = copy_escape(p, i, out); continue;
      }
    }
    if (c == '[') {
      i = translate_class(p, i, out);
      continue;
    }
    out.push_back(c);
    ++i;
  }
  return out;
}

// The pattern a start gate is read from: look-arounds and \b \B dropped,
// class escapes widened. Wherever the pattern matches, this one matches
// too, so the characters its matches can start with include the pattern's.
// Empty where no such form is made (captures or verbs a dropped part could
// hold, or an assertion with a quantifier).
std::string detail::gate_source(std::string_view p) {
  if (p.find("(*") != std::string_view::npos || p.find("(?(") != std::string_view::npos) return {};
  auto quantified = [&](std::size_t at) {
    return at < p.size() && (p[at] == '?' || p[at] == '*' || p[at] == '+' || p[at] == '{');
  };
  std::string out;
  bool ok = true;
  std::size_t i = 0;
  while (i < p.size() && ok) {
    char c = p[i];
    if (c == '\\' && i + 1 < p.size()) {
      char e = p[i + 1];
      if (e == 'b' || e == 'B') {
        i += 2;
        ok = !quantified(i);
      } else if (const WidenedEscape* w = widened(e)) {
        out += "(?-i:[";
        out += w->in_class;
        out += "])";
        i += 2;
      } else {
        i = copy_escape(p, i, out);
      }
    } else if (c == '[') {
      i = translate_class(p, i, out, &ok);
    } else if (c == '(' && (p.substr(i, 3) == "(?=" || p.substr(i, 3) == "(?!" || p.substr(i, 4) == "(?<=" ||
                            p.substr(i, 4) == "(?<!")) {
      // Skip the assertion; it must hold no capturing group.
      int depth = 0;
      std::string ignored;
      while (i < p.size()) {
        if (p[i] == '\\') {
          i = copy_escape(p, i, ignored);
          continue;
        }
        if (p[i] == '[') {
          i = translate_class(p, i, ignored);
          continue;
        }
        if (p[i] == '(') {
          ++depth;
          std::string_view rest = p.substr(i + 1);
          bool plain = rest.starts_with("?:") || rest.starts_with("?=") || rest.starts_with("?!") ||
                       rest.starts_with("?<=") || rest.starts_with("?<!");
          if (!plain) ok = false;
        } else if (p[i] == ')' && --depth == 0) {
          ++i;
          break;
        }
        ++i;
      }
      ok = ok && depth == 0 && !quantified(i);
    } else {
      out.push_back(c);
      ++i;
    }
  }
  return ok ? out : std::string();
}

// The pattern for a byte-mode compile: PCRE2's own \w \b \s \d are the
// dialect's on ASCII text. A non-ASCII character outside a class becomes a
// group, so that a quantifier after it covers all its bytes ("°?").
std::string detail::byte_mode_source(std::string_view p) {
  std::string out;
  out.reserve(p.size() + 16);
  bool in_class = false;
  std::size_t i = 0;
  while (i < p.size()) {
    unsigned char c = static_cast<unsigned char>(p[i]);
    if (c == '\\' && i + 1 < p.size()) {
      std::size_t n = std::min(1 + utf8_len(static_cast<unsigned char>(p[i + 1])), p.size() - i);
      bool wide = n > 2;
      if (wide && !in_class) out += "(?:";
      out.append(p.substr(i, n));
      if (wide && !in_class) out += ')';
      i += n;
      continue;
    }
    if (c >= 0x80) {
      std::size_t n = std::min(utf8_len(c), p.size() - i);
      if (!in_class) out += "(?:";
      out.append(p.substr(i, n));
      if (!in_class) out += ')';
      i += n;
      continue;
    }
    if (!in_class && c == '[') {
      in_class = true;
      out.push_back('[');
      ++i;
      // A "]" right after "[" or "[^" is a literal member.
      if (i < p.size() && p[i] == '^') out.push_back(p[i++]);
      if (i < p.size() && p[i] == ']') out.push_back(p[i++]);
      continue;
    }
    if (in_class && c == '[' && i + 1 < p.size() && p[i + 1] == ':') {
      std::size_t close = p.find(":]", i + 2);
      std::size_t stop = close == std::string_view::npos ? p.size() : close + 2;
      out.append(p.substr(i, stop - i));
      i = stop;
      continue;
    }
    if (in_class && c == ']') in_class = false;
    out.push_back(static_cast<char>(c));
    ++i;
  }
  return out;
}

namespace {

// `unicode` false compiles in byte mode: no UTF, PCRE2's ASCII \w \b \s.
// `jit` false: read for its pattern information only.
pcre2_code* compile_one(std::string_view pattern, std::string* error, bool unicode = true, uint32_t extra = 0,
                        bool jit = true) {
  pcre2_compile_context* cctx = pcre2_compile_context_create(nullptr);
  if (cctx) pcre2_set_newline(cctx, PCRE2_NEWLINE_LF);
  int err = 0;
  PCRE2_SIZE offset = 0;
  // ALT_CIRCUMFLEX: a multi-line "^" also matches after a final "\n"
  uint32_t options = PCRE2_DOLLAR_ENDONLY | PCRE2_ALT_CIRCUMFLEX | (unicode ? PCRE2_UTF | PCRE2_UCP : 0) | extra;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options,
                                   &err, &offset, cctx);
  if (cctx) pcre2_compile_context_free(cctx);
  if (!code) {
    if (error) *error = pcre2_message(err) + " at offset " + std::to_string(offset);
    return nullptr;
  }
  if (jit) pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);  // falls back to the interpreter on failure
  return code;
}

// A match context: limits plus one JIT stack, built once per thread.
struct MatchContext {
  pcre2_match_context* ctx = nullptr;
  pcre2_jit_stack* stack = nullptr;
  MatchContext() {
    ctx = pcre2_match_context_create(nullptr);
    if (!ctx) return;
    pcre2_set_match_limit(ctx, kMatchLimit);
    pcre2_set_depth_limit(ctx, kDepthLimit);
    pcre2_set_heap_limit(ctx, kHeapLimitKiB);
    // Long runs of a repeated group (a 10 MB list of numbers) need a deep
    // stack; settle for less where the address space is tight.
    stack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
    if (!stack) stack = pcre2_jit_stack_create(kJitStackStart, kJitStackFallback, nullptr);
    if (stack) pcre2_jit_stack_assign(ctx, nullptr, stack);
  }
  ~MatchContext() {
    if (stack) pcre2_jit_stack_free(stack);
    if (ctx) pcre2_match_context_free(ctx);
  }
};

pcre2_match_context* thread_context() {
  thread_local MatchContext tc;
  return tc.ctx;
}

// For the matches a run marker starts while its own match is suspended:
// the JIT wants a stack of their own for them.
pcre2_match_context* run_marker_context() {
  thread_local MatchContext tc;
  return tc.ctx;
}

// One pass over the text: is it pure ASCII, and is it valid UTF-8?
void check_subject(std::string_view text, bool& ascii, bool& valid) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t n = text.size(), i = 0;
  ascii = true;
  valid = true;
  while (i < n) {
    // Skip ASCII eight bytes at a time.
    if (i + 8 <= n) {
      uint64_t w;
      std::memcpy(&w, s + i, 8);
      if ((w & unicode::HIGH_BITS) == 0) {
        i += 8;
        continue;
      }
    }
    unsigned char b = s[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    ascii = false;
    std::size_t len;
    char32_t cp;
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      cp = b & 0x07;
    } else {
      valid = false;
      return;
    }
    if (i + len > n) {
      valid = false;
      return;
    }
    for (std::size_t k = 1; k < len; ++k) {
      unsigned char cb = s[i + k];
      if ((cb & 0xC0) != 0x80) {
        valid = false;
        return;
      }
      cp = (cp << 6) | (cb & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF.
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      valid = false;
      return;
    }
    i += len;
  }
}

thread_local unsigned g_trusted = 0;

}  // namespace

TrustedUtf8::TrustedUtf8() { ++g_trusted; }
TrustedUtf8::~TrustedUtf8() { --g_trusted; }

// What PCRE2's own pattern information proves about every match: checked
// before a scan, it spares the engine call when the text cannot hold one.
struct Gate {
  std::size_t min_length = 0;  // characters, so at least as many bytes
  bool by_first = false;       // a match starts at a byte in `first`
  std::array<bool, 256> first{};
  int first_unit = -1, first_other = -1;  // when `first` holds one code unit (and its other case)
  int required = -1;           // a byte at or after the match start, or its other case
  int required_other = -1;
  // `first` was read from the gate's own compile (see gate_source): the
  // engine does not know it, so the search visits its bytes itself.
  bool own_first = false;

  void read(const pcre2_code* code) {
    uint32_t v = 0;
    pcre2_pattern_info(code, PCRE2_INFO_MINLENGTH, &v);
    min_length = v;
    pcre2_pattern_info(code, PCRE2_INFO_FIRSTCODETYPE, &v);
    if (v == 1) {
      uint32_t unit = 0;
      pcre2_pattern_info(code, PCRE2_INFO_FIRSTCODEUNIT, &unit);
      // Caseless or not is not reported: allow both cases of an ASCII
      // letter (PCRE2 pairs no other code unit).
      by_first = true;
      first_unit = static_cast<int>(unit & 0xFF);
      first_other = static_cast<int>(other_case(unit) & 0xFF);
      first[unit & 0xFF] = true;
      first[other_case(unit) & 0xFF] = true;
    } else if (v == 0) {
      const uint8_t* map = nullptr;
      pcre2_pattern_info(code, PCRE2_INFO_FIRSTBITMAP, &map);
      if (map) {
        by_first = true;
        for (int b = 0; b < 256; ++b) first[b] = (map[b / 8] >> (b % 8)) & 1;
      }
    }
    pcre2_pattern_info(code, PCRE2_INFO_LASTCODETYPE, &v);
    if (v == 1) {
      uint32_t unit = 0;
      pcre2_pattern_info(code, PCRE2_INFO_LASTCODEUNIT, &unit);
      required = static_cast<int>(unit & 0xFF);
      required_other = static_cast<int>(other_case(unit) & 0xFF);
    }
  }

  // Where the pattern's own compile gives no start set, the one of its gate
  // compile (UTF text: a match never starts at a continuation byte).
  void widen_from(std::string_view pattern) {
    if (by_first) return;
    std::string source = detail::gate_source(pattern);
    if (source.empty()) return;
    pcre2_code* code = compile_one(source, nullptr, true, 0, false);
    if (!code) return;
    Gate g;
    g.read(code);
    pcre2_code_free(code);
    if (!g.by_first) return;
    by_first = own_first = true;
    first = g.first;
    for (int b = 0x80; b < 0xC0; ++b) first[b] = false;
    first_unit = first_other = -1;
  }

  // The start of the last of the characters from `from` on that a match can
  // start at, looking at a bounded number of them (a walk stays linear).
  std::size_t stretch_end(std::string_view text, std::size_t from) const {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t last = from;
    for (int n = 0; n < 64; ++n) {
      std::size_t next = last + 1;
      while (next < text.size() && (s[next] & 0xC0) == 0x80) ++next;
      if (next >= text.size() || !first[s[next]]) break;
      last = next;
    }
    return last;
  }

  // The first byte at or after `from` that a match can start at; npos if none.
  std::size_t next_first(std::string_view text, std::size_t from) const {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    for (; from < text.size(); ++from) {
      if (first[s[from]]) return from;
    }
    return std::string_view::npos;
  }

  static uint32_t other_case(uint32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 'A' && c <= 'Z') return c + 32;
    return c;
  }
};

struct Regex::Impl {
  pcre2_code* code = nullptr;    // the translated dialect
  pcre2_code* native = nullptr;  // byte mode, PCRE2's own \w \b \s: same matches on ASCII text
  Gate code_gate, native_gate;
  bool code_jit = false, native_jit = false;
  std::size_t groups = 0;
  // By callout number - 1: the repeated item after "(?Cn)" as "ITEM*",
  // anchored, or nullptr where the marker is not followed by one.
  std::vector<pcre2_code*> runs;
  ~Impl() {
    for (pcre2_code* c : {code, native}) {
      if (c) pcre2_code_free(c);
    }
    for (pcre2_code* run : runs) {
      if (run) pcre2_code_free(run);
    }
  }
};

namespace {
bool has_jit(const pcre2_code* code) {
  std::size_t size = 0;
  return code && pcre2_pattern_info(code, PCRE2_INFO_JITSIZE, &size) == 0 && size > 0;
}

// A run marker "(?Cn)" stands before a repeated item ("[...]+", "\\d+"): a
// try that reaches it at p and fails rules out every later start inside the
// run of that item beginning at p, since a try from p can end the run
// anywhere a later one can (what follows the item must not depend on where
// the run began). Starts in the run then cost nothing instead of a scan to
// the run's end each.
constexpr std::size_t kMaxRuns = 4;

// How far ahead a required byte may lie for a search to make several
// engine calls (see Regex::run).
constexpr std::size_t kNearRequired = 256;

std::vector<pcre2_code*> compile_runs(std::string_view p) {
  std::vector<pcre2_code*> runs;
  const std::string_view flags = p.starts_with("(?i)") ? "(?i)" : "";
  for (std::size_t at = p.find("(?C"); at != std::string_view::npos; at = p.find("(?C", at + 3)) {
    std::size_t i = at + 3, n = 0;
    while (i < p.size() && p[i] >= '0' && p[i] <= '9') n = n * 10 + static_cast<std::size_t>(p[i++] - '0');
    if (n == 0 || n > kMaxRuns || i >= p.size() || p[i] != ')') continue;
    std::size_t item = ++i;
    std::string ignored;
    if (i < p.size() && p[i] == '[') {
      i = translate_class(p, i, ignored);
    } else if (i < p.size() && p[i] == '\\') {
      i = copy_escape(p, i, ignored);
    } else {
      continue;
    }
    if (i >= p.size() || (p[i] != '+' && p[i] != '*')) continue;
    if (runs.size() < n) runs.resize(n, nullptr);
    if (runs[n - 1]) continue;
    runs[n - 1] = compile_one(detail::translate(std::string(flags) + std::string(p.substr(item, i - item)) + "*"),
                              nullptr, true, PCRE2_ANCHORED);
  }
  return runs;
}

// Per search: where each marker's ruled-out starts lie.
struct RunState {
  const std::vector<pcre2_code*>* runs;
  pcre2_match_data* md;
  std::size_t from[kMaxRuns];
  std::size_t until[kMaxRuns];
};

int on_run_marker(pcre2_callout_block* block, void* data) {
  auto* state = static_cast<RunState*>(data);
  const std::size_t n = block->callout_number;
  if (n == 0 || n > state->runs->size() || !(*state->runs)[n - 1]) return 0;
  const std::size_t pos = block->current_position;
  if (pos > state->from[n - 1] && pos < state->until[n - 1]) return 1;  // ruled out
  // Anchored by its compile, so that the JIT runs it.
  int rc = pcre2_match((*state->runs)[n - 1], block->subject, block->subject_length, pos, PCRE2_NO_UTF_CHECK,
                       state->md, run_marker_context());
  const std::size_t end = rc > 0 ? pcre2_get_ovector_pointer(state->md)[1] : pos;
  if (end > pos) {
    state->from[n - 1] = pos;
    state->until[n - 1] = end;
  }
  return 0;
}

}  // namespace

namespace {
// Match blocks of ended walks, kept per thread for the next walk: most walks
// find nothing, and a block per walk cost an allocation each.
constexpr uint32_t kPooledPairs = 16;
constexpr std::size_t kPoolMax = 32;
thread_local bool t_pool_gone = false;  // trivial: still readable while the thread ends
struct MatchDataPool {
  std::vector<pcre2_match_data*> free;
  ~MatchDataPool() {
    t_pool_gone = true;
    for (auto* md : free) pcre2_match_data_free(md);
  }
};
thread_local MatchDataPool t_pool;

pcre2_match_data* take_match_data(std::size_t pairs) {
  if (pairs <= kPooledPairs) {
    if (!t_pool_gone && !t_pool.free.empty()) {
      pcre2_match_data* md = t_pool.free.back();
      t_pool.free.pop_back();
      return md;
    }
    pairs = kPooledPairs;
  }
  return pcre2_match_data_create(static_cast<uint32_t>(pairs), nullptr);
}
}  // namespace

void Captures::MatchDataFree::operator()(void* p) const {
  auto* md = static_cast<pcre2_match_data*>(p);
  if (reusable && !t_pool_gone && pcre2_get_ovector_count(md) == kPooledPairs && t_pool.free.size() < kPoolMax) {
    t_pool.free.push_back(md);
  } else {
    pcre2_match_data_free(md);
  }
}

bool Captures::matched(std::size_t i) const {
  return i < count_ && ovector_[2 * i] != PCRE2_UNSET;
}

std::string_view Captures::group(std::size_t i) const {
  if (!matched(i)) return {};
  std::size_t s = ovector_[2 * i], e = ovector_[2 * i + 1];
  if (e < s || e > subject_.size()) return {};  // \K can invert a pair
  return subject_.substr(s, e - s);
}

std::size_t Captures::start(std::size_t i) const { return matched(i) ? ovector_[2 * i] : 0; }
std::size_t Captures::end(std::size_t i) const { return matched(i) ? ovector_[2 * i + 1] : 0; }

bool Captures::matched(std::string_view name) const {
  if (!re_) return false;
  int idx = re_->group_index(name);
  return idx >= 0 && matched(static_cast<std::size_t>(idx));
}

std::string_view Captures::group(std::string_view name) const {
  if (!re_) return {};
  int idx = re_->group_index(name);
  return idx < 0 ? std::string_view{} : group(static_cast<std::size_t>(idx));
}

namespace {
std::atomic<std::uint64_t> g_compiles{0};
}  // namespace

std::uint64_t compile_count() { return g_compiles.load(std::memory_order_relaxed); }

bool Regex::compile(std::string_view pattern, std::string* error) {
  g_compiles.fetch_add(1, std::memory_order_relaxed);
  pattern_ = std::string(pattern);
  auto impl = std::make_unique<Impl>();
  std::string translated = detail::translate(pattern);
  // An offset limit is how a match is tried at chosen starts only: the JIT
  // does not run a match anchored at match time.
  impl->code = compile_one(translated, error, true, PCRE2_USE_OFFSET_LIMIT);
  if (!impl->code) return false;
  // ASCII subjects run a byte-mode compile: the engine's start-of-match
  // optimisations see through its ASCII classes, not through Unicode ones.
  impl->native = compile_one(detail::byte_mode_source(pattern), nullptr, false, PCRE2_USE_OFFSET_LIMIT);
  uint32_t n = 0;
  pcre2_pattern_info(impl->code, PCRE2_INFO_CAPTURECOUNT, &n);
  impl->groups = n;
  if (pattern.find("(?C") != std::string_view::npos) impl->runs = compile_runs(pattern);
  if (impl->native) {
    uint32_t m = 0;
    pcre2_pattern_info(impl->native, PCRE2_INFO_CAPTURECOUNT, &m);
    if (m != n) {
      pcre2_code_free(impl->native);
      impl->native = nullptr;
    }
  }
  impl->code_gate.read(impl->code);
  impl->code_gate.widen_from(pattern);
  if (impl->native) impl->native_gate.read(impl->native);
  impl->code_jit = has_jit(impl->code);
  impl->native_jit = has_jit(impl->native);
  impl_ = std::move(impl);
  return true;
}

Regex::Regex(std::string_view pattern) : Regex(pattern, {}) {}

Regex::Regex(std::string_view pattern, std::string_view needs) : needs_(needs) {
  std::string error;
  if (!compile(pattern, &error)) {
    throw InternalFailure("pattern does not compile: " + error + ": " + std::string(pattern));
  }
}

Regex::~Regex() = default;

std::unique_ptr<Regex> Regex::try_compile(std::string_view pattern) {
  std::unique_ptr<Regex> re(new Regex());
  if (!re->compile(pattern, nullptr)) return nullptr;
  return re;
}

std::unique_ptr<Regex> Regex::try_compile(std::string_view pattern, std::string& error) {
  std::unique_ptr<Regex> re(new Regex());
  if (!re->compile(pattern, &error)) return nullptr;
  return re;
}

std::size_t Regex::group_count() const { return impl_->groups; }

int Regex::group_index(std::string_view name) const {
  // Names are ASCII words; anything else cannot name a group.
  if (name.empty() || name.size() > 128) return -1;
  char buf[129];
  std::memcpy(buf, name.data(), name.size());
  buf[name.size()] = '\0';
  if (std::strlen(buf) != name.size()) return -1;
  int n = pcre2_substring_number_from_name(impl_->code, reinterpret_cast<PCRE2_SPTR>(buf));
  return n < 0 ? -1 : n;
}

bool Regex::find_at(std::string_view text, std::size_t start, Captures& caps) const {
  return search(text, start, caps, 0);
}

namespace {
std::mutex g_registry_mutex;
std::vector<const Regex*>* g_registry = nullptr;  // lives until exit, as the patterns do
}  // namespace

void detail::register_fixed(const Regex* re) {
  std::lock_guard lock(g_registry_mutex);
  if (!g_registry) g_registry = new std::vector<const Regex*>();
  g_registry->push_back(re);
}

std::vector<const Regex*> detail::registered() {
  std::lock_guard lock(g_registry_mutex);
  return g_registry ? *g_registry : std::vector<const Regex*>{};
}

bool detail::has_byte_form(const Regex& re) { return re.impl_->native != nullptr; }

bool detail::find_in_form(const Regex& re, std::string_view text, std::size_t start, Captures& caps,
                          bool byte_form) {
  return re.run(text, start, caps, 0, byte_form);
}

bool Regex::match_at(std::string_view text, std::size_t start, Captures& caps) const {
  return search(text, start, caps, PCRE2_ANCHORED);
}

bool Regex::search(std::string_view text, std::size_t start, Captures& caps, std::uint32_t options) const {
  if (start > text.size()) return false;
  // A new walk starts at 0: check the text then, and whenever it changed.
  if (start == 0 || caps.checked_data_ != text.data() || caps.checked_size_ != text.size()) {
    if (g_trusted) {
      caps.checked_ascii_ = unicode::is_ascii(text);
      caps.checked_valid_ = true;
    } else {
      check_subject(text, caps.checked_ascii_, caps.checked_valid_);
    }
    caps.checked_data_ = text.data();
    caps.checked_size_ = text.size();
    caps.req_re_ = nullptr;
  }
  if (!caps.checked_valid_) throw InternalFailure("pattern matching on text that is not valid UTF-8");
  // Never start inside a character.
  while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) ++start;
  return run(text, start, caps, options, caps.checked_ascii_ && impl_->native);
}

bool Regex::may_match(std::string_view text, std::size_t start, Captures& caps, bool anchored, bool byte_form,
                      std::size_t* first) const {
  const Gate& g = byte_form ? impl_->native_gate : impl_->code_gate;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  if (n - start < g.min_length) return false;
  // The scan stops at the first needed byte, which is at or before the end
  // of the next match: a walk scans the text once.
  if (!needs_.empty() && text.find_first_of(needs_, start) == std::string_view::npos) return false;
  if (g.by_first) {
    if (anchored) {
      if (start == n || !g.first[s[start]]) return false;
    } else if (g.own_first) {
      std::size_t at = g.next_first(text, start);
      if (at == std::string_view::npos) return false;
      if (first) *first = at;
    } else if (g.first_unit >= 0) {
      // Only a memchr is cheaper than the engine's own search for a start.
      if (!std::memchr(s + start, g.first_unit, n - start) &&
          (g.first_other == g.first_unit || !std::memchr(s + start, g.first_other, n - start))) {
        return false;
      }
    }
  }
  if (g.required >= 0) {
    // Remember where the byte was found (or from where it is absent), so
    // that the calls of one walk, or of one anchored sweep, scan once.
    if (caps.req_re_ != this || caps.req_data_ != text.data() || caps.req_size_ != text.size() ||
        (caps.req_at_ == Captures::kUnset ? start < caps.req_from_ : start > caps.req_at_)) {
      const void* a = std::memchr(s + start, g.required, n - start);
      const void* b = g.required_other == g.required ? nullptr : std::memchr(s + start, g.required_other, n - start);
      const unsigned char* hit = static_cast<const unsigned char*>(!a ? b : !b ? a : std::min(a, b));
      caps.req_re_ = this;
      caps.req_data_ = text.data();
      caps.req_size_ = text.size();
      caps.req_from_ = start;
      caps.req_at_ = hit ? static_cast<std::size_t>(hit - s) : Captures::kUnset;
    }
    if (caps.req_at_ == Captures::kUnset) return false;
  }
  return true;
}

bool detail::gate_refuses(const Regex& re, std::string_view text, std::size_t start, bool anchored, bool byte_form) {
  Captures caps;
  return !re.may_match(text, start, caps, anchored, byte_form);
}

bool detail::find_in_form_ungated(const Regex& re, std::string_view text, std::size_t start, Captures& caps,
                                  bool anchored, bool byte_form) {
  return re.run(text, start, caps, anchored ? PCRE2_ANCHORED : 0, byte_form, false);
}

bool Regex::run(std::string_view text, std::size_t start, Captures& caps, std::uint32_t options,
                bool byte_form, bool gated) const {
  const bool anchored = options & PCRE2_ANCHORED;
  std::size_t first = start;
  if (gated && !may_match(text, start, caps, anchored, byte_form, &first)) {
    caps.re_ = this;
    caps.subject_ = text;
    caps.count_ = 0;
    return false;
  }
  std::size_t pairs = impl_->groups + 1;
  if (!caps.md_ || caps.md_pairs_ < pairs) {
    pcre2_match_data* md = take_match_data(pairs);
    if (!md) throw InternalFailure("pattern matching: out of memory");
    caps.md_.reset(md);
    caps.md_.get_deleter().reusable = true;
    caps.md_pairs_ = pcre2_get_ovector_count(md);
  }
  auto* md = static_cast<pcre2_match_data*>(caps.md_.get());
  const pcre2_code* code = byte_form ? impl_->native : impl_->code;
  const bool jit = byte_form ? impl_->native_jit : impl_->code_jit;
  pcre2_match_context* ctx = thread_context();
  const auto* subject = reinterpret_cast<PCRE2_SPTR>(text.data());
  RunState state;  // set up only for a pattern with run markers
  if (!impl_->runs.empty()) {
    static thread_local std::unique_ptr<pcre2_match_data, void (*)(pcre2_match_data*)> run_md(
        pcre2_match_data_create(1, nullptr), pcre2_match_data_free);
    if (!run_md) throw InternalFailure("pattern matching: out of memory");
    state = RunState{&impl_->runs, run_md.get(), {}, {}};
    pcre2_set_callout(ctx, on_run_marker, &state);
  }
  // The JIT looks for the pattern's required byte afresh at each call, from
  // the call's start on: many calls for one search are cheap only while it
  // lies near (the interpreter looks only within a bounded distance).
  const Gate& g = byte_form ? impl_->native_gate : impl_->code_gate;
  auto required_near = [&](std::size_t from) {
    return g.required < 0 || (caps.req_at_ >= from && caps.req_at_ - from <= kNearRequired);
  };
  // A match starting in [at, last] (last npos: anywhere).
  auto engine = [&](std::size_t at, std::size_t last, bool on_jit) {
    std::uint32_t opts = PCRE2_NO_UTF_CHECK;
    if (!on_jit && last == at) {
      opts |= PCRE2_ANCHORED;
      last = std::string_view::npos;
    }
    if (last != std::string_view::npos) pcre2_set_offset_limit(ctx, last);
    int r;
    if (on_jit) {
      // The JIT entry directly: pcre2_match's own checks are done (valid text, start in range).
      r = pcre2_jit_match(code, subject, text.size(), at, 0, md, ctx);
    } else {
      // The interpreter may keep a large backtracking heap in the block: not
      // worth holding on to.
      caps.md_.get_deleter().reusable = false;
      r = pcre2_match(code, subject, text.size(), at, opts, md, ctx);
    }
    if (last != std::string_view::npos) pcre2_set_offset_limit(ctx, PCRE2_UNSET);
    return r;
  };
  int rc;
  if (anchored) {
    rc = engine(start, start, jit && (!gated || required_near(start)));
  } else if (gated && g.own_first) {
    // Only the gate knows where a match can start: try each stretch of
    // such places in turn (a search tries its starts in this order too).
    rc = PCRE2_ERROR_NOMATCH;
    while (first != std::string_view::npos) {
      if (!required_near(first)) {
        rc = engine(first, std::string_view::npos, jit);
        break;
      }
      std::size_t last = g.stretch_end(text, first);
      rc = engine(first, last, jit);
      if (rc != PCRE2_ERROR_NOMATCH) break;
      first = g.next_first(text, last + 1);
    }
  } else {
    rc = engine(start, std::string_view::npos, jit);
  }
  if (!impl_->runs.empty()) pcre2_set_callout(ctx, nullptr, nullptr);
  caps.re_ = this;
  caps.subject_ = text;
  if (rc == PCRE2_ERROR_NOMATCH) {
    caps.count_ = 0;
    return false;
  }
  if (rc < 0) {
    caps.count_ = 0;
    throw InternalFailure("pattern matching failed (" + pcre2_message(rc) + ") for pattern: " + pattern_);
  }
  auto* ov = pcre2_get_ovector_pointer(md);
  caps.ovector_ = ov;
  caps.count_ = pairs;
  // Groups past the highest one that matched are not written by PCRE2.
  for (std::size_t i = static_cast<std::size_t>(rc); i < pairs; ++i) ov[2 * i] = ov[2 * i + 1] = PCRE2_UNSET;
  return true;
}

bool Regex::is_match(std::string_view text) const {
  Captures caps;
  return find_at(text, 0, caps);
}

std::optional<Captures> Regex::captures(std::string_view text) const {
  Captures caps;
  if (!find_at(text, 0, caps)) return std::nullopt;
  return caps;
}

void Regex::expand(const Captures& caps, std::string_view tmpl, std::string& out) const {
  auto is_name_char = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  };
  auto append_ref = [&](std::string_view name) {
    bool digits = !name.empty();
    for (char c : name) digits = digits && c >= '0' && c <= '9';
    if (digits) {
      // A number too large for any group simply names no group.
      std::size_t idx = 0;
      for (char c : name) {
        if (idx > 1'000'000) return;
        idx = idx * 10 + static_cast<std::size_t>(c - '0');
      }
      out += caps.group(idx);
    } else {
      out += caps.group(name);
    }
  };
  std::size_t i = 0;
  while (i < tmpl.size()) {
    std::size_t dollar = tmpl.find('$', i);
    if (dollar == std::string_view::npos) {
      out.append(tmpl.substr(i));
      return;
    }
    out.append(tmpl.substr(i, dollar - i));
    std::size_t j = dollar + 1;
    if (j < tmpl.size() && tmpl[j] == '$') {  // "$$"
      out.push_back('$');
      i = j + 1;
      continue;
    }
    if (j < tmpl.size() && tmpl[j] == '{') {  // "${name}"
      std::size_t close = tmpl.find('}', j + 1);
      if (close != std::string_view::npos) {
        append_ref(tmpl.substr(j + 1, close - j - 1));
        i = close + 1;
        continue;
      }
    } else {
      std::size_t k = j;
      while (k < tmpl.size() && is_name_char(tmpl[k])) ++k;
      if (k > j) {
        append_ref(tmpl.substr(j, k - j));
        i = k;
        continue;
      }
    }
    out.push_back('$');  // starts no reference
    i = j;
  }
}

std::string Regex::replace_all_template(std::string_view text, std::string_view tmpl) const {
  // A template without "$" is a constant: skip the expansion per match.
  if (tmpl.find('$') == std::string_view::npos) {
    return replace_all(text, [&](const Captures&) { return tmpl; });
  }
  std::string piece;
  return replace_all(text, [&](const Captures& caps) -> const std::string& {
    piece.clear();
    expand(caps, tmpl, piece);
    return piece;
  });
}

std::string escape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (std::strchr(R"(\.+*?()|[]{}^$#&-~)", c) && c != '\0') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

namespace detail {
std::size_t char_len_at(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 1;
  return std::min(utf8_len(static_cast<unsigned char>(text[pos])), text.size() - pos);
}
}  // namespace detail

}  // namespace kalvesta::regex
