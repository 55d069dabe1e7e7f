// The rule engine: the pass runner, its linear walks, the patterns several
// languages share and the readings they share.
#include "rules.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "numtext.h"
#include "unicode.h"

namespace kalvesta::rules {

using unicode::byte_bits;
using unicode::bytes_within;
using unicode::within;

using num2word::NumberVocab;

// ---- what a match needs ----

namespace {

void need_byte(Needs& n, unsigned char b) { n.bytes[b / 64] |= std::uint64_t{1} << (b % 64); }

std::uint32_t letter_bit(char c) { return std::uint32_t{1} << ((c | 0x20) - 'a'); }

// A reading of the dialect's syntax just deep enough to find needs. Anything
// it does not know sets `unsure`, and the pattern then needs nothing.
struct NeedsReader {
  std::string_view p;
  bool caseless = false;
  bool unsure = false;
  std::size_t i = 0;

  // One thing a match of the branch certainly holds, as a one-of set
  // (unset when the branch needs nothing): a byte, else a letter, else a
  // digit, else the branch's own one-of set.
  static Needs::OneOf one_item(const Needs& n) {
    Needs::OneOf one;
    one.set = true;
    for (std::size_t w = 0; w < 2; ++w) {
      if (n.bytes[w] != 0) {
        one.bytes[w] = n.bytes[w] & (~n.bytes[w] + 1);  // its lowest bit
        return one;
      }
    }
    if (n.letters != 0) {
      one.letters = n.letters & (~n.letters + 1);
    } else if (n.digit) {
      one.digit = true;
    } else {
      return n.one_of;
    }
    return one;
  }
  static void widen(Needs::OneOf& to, const Needs::OneOf& n) {
    to.set = to.set && n.set;
    to.digit = to.digit || n.digit;
    to.non_ascii = to.non_ascii || n.non_ascii;
    to.bytes[0] |= n.bytes[0];
    to.bytes[1] |= n.bytes[1];
    to.letters |= n.letters;
  }
  // What every match of `a` or `b` needs.
  static Needs both(const Needs& a, const Needs& b) {
    Needs n{a.digit && b.digit, {a.bytes[0] & b.bytes[0], a.bytes[1] & b.bytes[1]}, a.letters & b.letters, one_item(a)};
    widen(n.one_of, one_item(b));
    return n;
  }
  // What every match of `to` followed by `n` needs.
  static void add(Needs& to, const Needs& n) {
    to.digit = to.digit || n.digit;
    to.bytes[0] |= n.bytes[0];
    to.bytes[1] |= n.bytes[1];
    to.letters |= n.letters;
    if (!to.one_of.set) to.one_of = n.one_of;
  }

  // A literal ASCII character.
  void literal(Needs& n, char c) const {
    if (!caseless || !unicode::is_ascii_letter(c)) {
      need_byte(n, static_cast<unsigned char>(c));
    } else if (const char lower = static_cast<char>(c | 0x20); lower != 'k' && lower != 's') {
      n.letters |= letter_bit(c);
    } else {
      n.one_of = {true, false, true, {}, letter_bit(c)};
    }
  }

  // Branches up to a ")" or the end: what each of them needs.
  Needs alternation() {
    Needs all, branch;
    bool first = true;
    while (!unsure && i < p.size() && p[i] != ')') {
      if (p[i] == '|') {
        all = first ? branch : both(all, branch);
        first = false;
        branch = {};
        ++i;
        continue;
      }
      Needs item_needs = item();
      if (!optional_after()) add(branch, item_needs);
    }
    return first ? branch : both(all, branch);
  }

  // A group's body up to its ")".
  Needs group_body() {
    Needs n = alternation();
    if (i >= p.size()) unsure = true;
    ++i;
    return n;
  }

  // One item: a character, escape, class or group.
  Needs item() {
    Needs n;
    const char c = p[i];
    if (c == '\\') {
      if (i + 1 >= p.size()) {
        unsure = true;
        return n;
      }
      const char e = p[i + 1];
      i += 2;
      if (e == 'd') {
        n.digit = true;
      } else if (std::string_view("DbBsSwWnrt").find(e) != std::string_view::npos) {
        // a class or an assertion: nothing certain
      } else if ((e == 'p' || e == 'P') && i < p.size() && p[i] == '{') {
        std::size_t close = p.find('}', i);
        if (close == std::string_view::npos) unsure = true;
        i = close + 1;
      } else if (!unicode::is_ascii_alnum(e) && static_cast<unsigned char>(e) < 0x80) {
        literal(n, e);
      } else {
        unsure = true;
      }
      return n;
    }
    if (c == '[') return char_class();
    if (c == '(') return group();
    if (c == '.' || c == '^' || c == '$') {
      ++i;
      return n;
    }
    if (c == '|' || c == ')' || c == '*' || c == '+' || c == '?') {
      unsure = true;
      return n;
    }
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80) {
      // A whole non-ASCII character: it, or under (?i) one of its other
      // cases, which in ASCII can only be a letter (‘k’ for the Kelvin sign).
      ++i;
      while (i < p.size() && (static_cast<unsigned char>(p[i]) & 0xC0) == 0x80) ++i;
      n.one_of.set = n.one_of.non_ascii = true;
      if (caseless) n.one_of.letters = (std::uint32_t{1} << 26) - 1;
      return n;
    }
    ++i;
    literal(n, c);
    return n;
  }

  // "[\d]" needs a digit; a class of plain items (\d, ASCII characters,
  // escaped ASCII punctuation) one of them; any other class nothing.
  Needs char_class() {
    Needs n;
    std::size_t j = i + 1;
    const bool negated = j < p.size() && p[j] == '^';
    if (negated) ++j;
    const std::size_t body = j;
    if (j < p.size() && p[j] == ']') ++j;
    while (j < p.size() && p[j] != ']') {
      if (p[j] == '[' && j + 1 < p.size() && p[j + 1] == ':') unsure = true;
      j += p[j] == '\\' ? 2 : 1;
    }
    if (j >= p.size()) {
      unsure = true;
      return n;
    }
    const std::string_view items = p.substr(body, j - body);
    i = j + 1;
    if (negated) return n;
    if (items == "\\d") {
      n.digit = true;
      return n;
    }
    Needs::OneOf one;
    for (std::size_t k = 0; k < items.size(); ++k) {
      char c = items[k];
      if (c == '\\' && k + 1 < items.size()) {
        c = items[++k];
        if (c == 'd') {
          one.digit = true;
          continue;
        }
        if (unicode::is_ascii_alnum(c) || static_cast<unsigned char>(c) >= 0x80) return n;
      } else if (static_cast<unsigned char>(c) >= 0x80 || (c == '-' && k > 0 && k + 1 < items.size())) {
        return n;  // beyond ASCII, or a range
      }
      Needs item;
      literal(item, c);
      one.bytes[0] |= item.bytes[0];
      one.bytes[1] |= item.bytes[1];
      one.letters |= item.letters | item.one_of.letters;
      one.non_ascii = one.non_ascii || item.one_of.non_ascii;
    }
    one.set = true;
    n.one_of = one;
    return n;
  }

  Needs group() {
    std::string_view rest = p.substr(i);
    if (!rest.starts_with("(?")) {
      ++i;
      return group_body();
    }
    for (std::string_view look : {"(?=", "(?!", "(?<=", "(?<!"}) {
      if (rest.starts_with(look)) {
        i += look.size();
        group_body();  // looks at the text around the match: needs nothing of it
        return {};
      }
    }
    if (rest.starts_with("(?:") || rest.starts_with("(?>") || rest.starts_with("(?|")) {
      i += 3;
      return group_body();
    }
    if (rest.starts_with("(?C")) {
      std::size_t close = p.find(')', i);
      if (close == std::string_view::npos) unsure = true;
      i = close + 1;
      return {};
    }
    if (rest.starts_with("(?<") || rest.starts_with("(?P<")) {
      std::size_t close = p.find('>', i);
      if (close == std::string_view::npos) unsure = true;
      i = close + 1;
      return group_body();
    }
    // Inline flags: only "i" (and its "-i") is known.
    std::size_t j = i + 2;
    while (j < p.size() && (p[j] == 'i' || p[j] == '-')) ++j;
    if (j >= p.size() || j == i + 2 || (p[j] != ')' && p[j] != ':')) {
      unsure = true;
      return {};
    }
    i = j + 1;
    return p[j] == ':' ? group_body() : Needs{};
  }

  // Consumes a quantifier after an item; true when it allows zero repeats.
  bool optional_after() {
    if (i >= p.size()) return false;
    bool optional = false;
    if (p[i] == '?' || p[i] == '*') {
      optional = true;
      ++i;
    } else if (p[i] == '+') {
      ++i;
    } else if (p[i] == '{') {
      // {n}, {n,}, {n,m}, {,m}; anything else is a plain "{".
      std::size_t j = i + 1, low = j;
      while (j < p.size() && p[j] >= '0' && p[j] <= '9') ++j;
      const bool has_low = j > low;
      const bool low_zero = !has_low || p.substr(low, j - low).find_first_not_of('0') == std::string_view::npos;
      bool ok = false;
      if (j < p.size() && p[j] == '}') {
        ok = has_low;
      } else if (j < p.size() && p[j] == ',') {
        ++j;
        std::size_t high = j;
        while (j < p.size() && p[j] >= '0' && p[j] <= '9') ++j;
        ok = j < p.size() && p[j] == '}' && (has_low || j > high);
      }
      if (!ok) return false;
      optional = low_zero;
      i = j + 1;
    } else {
      return false;
    }
    if (i < p.size() && (p[i] == '?' || p[i] == '+')) ++i;  // lazy or possessive
    return optional;
  }
};

// The Unicode decimal digits, as the patterns' \d sees them.
constinit regex::LazyRegex RE_ANY_DIGIT{R"(\d)"};

}  // namespace

Needs needs_of(std::string_view pattern) {
  NeedsReader r{pattern};
  // One caseless flag anywhere makes every letter caseless: never too much.
  r.caseless = pattern.find("(?i") != std::string_view::npos || pattern.find("(?-i") != std::string_view::npos;
  Needs n = r.alternation();
  if (r.unsure || r.i != pattern.size()) return {};
  return n;
}

Holds::Holds(std::string_view text) {
  constexpr std::uint64_t kDigitBits = std::uint64_t{0x3FF} << '0';
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::uint64_t beyond = 0, leads = 0;  // leads: bit b - 0xC0 for each first byte b beyond ASCII
  if (n < 32) {
    // A short text: a bit per byte as it goes, cheaper than the table below.
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned b = p[i];
      if (b < 0x80) {
        held_.bytes[b / 64] |= std::uint64_t{1} << (b % 64);
      } else {
        beyond = 1;
        if (b >= 0xC0) leads |= std::uint64_t{1} << (b - 0xC0);
      }
    }
  } else {
    // One store per byte into a table of the bytes seen, then the table
    // folded into bits eight bytes at a time: fewer steps per byte than
    // setting bits as it goes.
    alignas(8) unsigned char seen[256];
    std::memset(seen, 0, sizeof seen);
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
      seen[p[i]] = 1;
      seen[p[i + 1]] = 1;
      seen[p[i + 2]] = 1;
      seen[p[i + 3]] = 1;
    }
    for (; i < n; ++i) seen[p[i]] = 1;
    auto word = [&](std::size_t k) {
      std::uint64_t x;
      std::memcpy(&x, seen + 8 * k, 8);
      return x;
    };
    // The multiply gathers the low bit of each of eight bytes into the top
    // byte, byte j at bit 56 + j.
    auto bits = [&](std::size_t k) { return (word(k) * 0x0102040810204080ULL) >> 56; };
    for (std::size_t k = 0; k < 16; ++k) held_.bytes[k / 8] |= bits(k) << (8 * (k % 8));
    // Beyond ASCII, whether there is any byte; the first bytes of characters
    // only where a digit beyond ASCII is asked after below.
    for (std::size_t k = 16; k < 32; ++k) beyond |= word(k);
    if (beyond != 0 && (held_.bytes[0] & kDigitBits) == 0) {
      for (std::size_t k = 24; k < 32; ++k) leads |= bits(k) << (8 * (k - 24));
    }
  }
  // "A".."Z" are bits 1..26 of the second word, "a".."z" bits 33..58.
  constexpr std::uint64_t kLetterBits = (std::uint64_t{1} << 26) - 1;
  held_.letters = static_cast<std::uint32_t>(((held_.bytes[1] >> 1) | (held_.bytes[1] >> 33)) & kLetterBits);
  non_ascii_ = beyond != 0;
  // A digit beyond ASCII starts with a first byte that starts some digit
  // (0x80..0xBF only continue a character): CJK text has none.
  static const std::uint64_t digit_leads = [] {
    std::uint64_t m = 0;
    for (unsigned b = 0xC0; b < 0x100; ++b) m |= std::uint64_t{unicode::lead_classes()[b] & 1u} << (b - 0xC0);
    return m;
  }();
  held_.digit = (held_.bytes[0] & kDigitBits) != 0 || ((leads & digit_leads) != 0 && RE_ANY_DIGIT->is_match(text));
}

// ---- the runner and its walks ----

namespace {

// The walk of near_of: a state per byte (what the last bytes were) and the
// facts the next byte completes, one table entry each (facts << 4 | state).
// kDateDigits: digits after a digit and a date mark ("/", "-", "."), then
// kDateMark / kDateDot: such digits and another date mark.
enum NearState : std::uint8_t {
  kOther, kDigit, kDigitMark, kDigitComma, kDigitDateMark, kDot, kDigitDot, kDigitBlanks, kDigitR, kDigitJ,
  kDateDigits, kDateMark, kDateDot, kStates
};
static_assert(kStates <= 16);
using NearTable = std::array<std::array<std::uint16_t, 256>, kStates>;
constexpr NearTable near_table() {
  NearTable t{};
  for (unsigned s = 0; s < kStates; ++s) {
    const bool in_digits = s == kDigit || s == kDateDigits;
    for (unsigned b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      const bool beyond = b >= 0x80, digit = (c >= '0' && c <= '9') || beyond;
      const bool blank = c == ' ' || (b >= 0x09 && b <= 0x0D) || beyond;
      const bool letter = beyond || std::string_view("abjkmnprstABJKMNPRST").find(c) != std::string_view::npos;
      const bool mark = std::string_view(":,/-").find(c) != std::string_view::npos;
      unsigned facts = 0, next = kOther;
      if (digit) {
        next = s == kDigitDateMark || s == kDigitDot || s == kDateDigits ? kDateDigits : kDigit;
        if (s == kDigitMark || s == kDigitComma || s == kDigitDateMark || s == kDigitDot || s == kDateMark || s == kDateDot)
          facts |= kDigitMarkDigit;
        if (s == kDigitComma) facts |= kDigitCommaDigit;
        if (s == kDot || s == kDigitDot || s == kDateDot) facts |= kDotDigit;
        if (s == kDateMark || s == kDateDot) facts |= kDigitDate;
      } else if (c == '.') {
        next = s == kDateDigits ? kDateDot : s == kDigit ? kDigitDot : kDot;
      } else if (mark && in_digits) {
        next = c == ',' ? kDigitComma : c == ':' ? kDigitMark : s == kDateDigits ? kDateMark : kDigitDateMark;
      } else if (blank && (in_digits || s == kDigitBlanks)) {
        next = kDigitBlanks;
      } else if ((c | 0x20) == 'r' && (in_digits || s == kDigitBlanks)) {
        next = kDigitR;
      } else if ((c | 0x20) == 'j' && (in_digits || s == kDigitBlanks)) {
        next = kDigitJ;
      }
      // A byte beyond ASCII right after a digit may be a blank before a digit.
      if ((s == kDigitBlanks && digit) || (in_digits && beyond)) facts |= kDigitBlank;
      if ((in_digits || s == kDigitBlanks) && letter) facts |= kDigitWord;
      const bool period = beyond || std::string_view("apmstAPMST").find(c) != std::string_view::npos;
      if ((in_digits || s == kDigitBlanks) && period) facts |= kDigitPeriod;
      if ((s == kDigitR && ((c | 0x20) == 'b' || beyond)) || (s == kDigitJ && ((c | 0x20) == 't' || beyond))) facts |= kDigitRbJt;
      t[s][b] = static_cast<std::uint16_t>(facts << 4 | next);
    }
  }
  return t;
}
constexpr NearTable kNear = near_table();

}  // namespace

std::uint8_t near_of(std::string_view text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  unsigned state = kOther, facts = 0;
  for (std::size_t i = 0; i < n;) {
#if defined(__SSE2__)
    // Every fact needs a digit (or a byte beyond ASCII): sixteen bytes
    // without one, entered with no digit behind, complete none, and leave
    // only whether they end in ".".
    if (state == kOther || state == kDot) {
      // The last bytes, fewer than sixteen, through a zeroed copy (zero is no digit).
      alignas(16) unsigned char rest[16] = {};
      const bool last = i + 16 > n;
      if (last) std::memcpy(rest, s + i, n - i);
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(last ? rest : s + i));
      if ((byte_bits(v) | byte_bits(bytes_within(v, '0', '9'))) == 0) {
        if (last) break;
        state = s[i + 15] == '.' ? kDot : kOther;
        i += 16;
        continue;
      }
    }
#endif
    for (const std::size_t end = std::min(n, i + 16); i < end; ++i) {
      const std::uint16_t e = kNear[state][s[i]];
      facts |= e;
      state = e & 15;
    }
  }
  return static_cast<std::uint8_t>(facts >> 4);
}

namespace {
bool replace_after_codes_from(std::string_view text, std::size_t first, const regex::Regex& money, Reader read,
                              std::string& out);
}  // namespace

constexpr Needs kDigitNeeded = [] {
  Needs n;
  n.digit = true;
  return n;
}();

std::string run_passes(std::string text, std::span<const Pass> passes, Known known, Known* after) {
  std::string cur = std::move(text), next;
  std::optional<Holds> holds = std::move(known.holds);
  // Worked out when first asked, again after a change (-1 / kUnasked: not yet).
  constexpr std::size_t kUnasked = Known{}.first_code;
  int near = -1;
  std::size_t first_code = known.first_code;
  for (const Pass& p : passes) {
    if (!holds) holds.emplace(cur);
    if (!holds->may_match(p.needs)) continue;
    if (p.near) {
      if (near < 0) near = near_of(cur);
      if ((near & p.near) != p.near) continue;
    }
    bool changed;
    if (p.head) {
      changed = replace_unless_percent_follows(cur, **p.head, p.read, next);
    } else if (p.walk == static_cast<Walk>(replace_at_digit_runs)) {
      changed = replace_at_digit_runs(cur, *p.re, p.read, next);
    } else if (p.walk == static_cast<Walk>(replace_words_with_digits)) {
      // The walk stops at once in a text without an ASCII digit.
      if (!holds->may_match(kDigitNeeded)) continue;
      changed = replace_words_with_digits(cur, *p.re, p.read, next);
    } else if (p.walk == static_cast<Walk>(replace_after_codes)) {
      // Where the first code starts holds for every code pass until the text changes.
      if (first_code == kUnasked) first_code = next_code_start(cur, 0);
      if (first_code == std::string_view::npos) continue;
      changed = replace_after_codes_from(cur, first_code, *p.re, p.read, next);
    } else if (p.walk) {
      changed = p.walk(cur, *p.re, p.read, next);
    } else {
      changed = replace_into(cur, *p.re, next, p.read);
    }
    if (!changed) continue;
    cur.swap(next);
    holds.reset();
    near = -1;
    first_code = kUnasked;
  }
  if (after) *after = Known{std::move(holds), first_code};
  return cur;
}

bool replace_unless_percent_follows(std::string_view text, const regex::Regex& head, Reader read, std::string& out) {
  constexpr std::size_t npos = std::string_view::npos;
  // First occurrence of a character at or after a point; the points only
  // move forward, so each cache is refreshed past its last answer only.
  struct NextOf {
    std::string_view text;
    char ch;
    std::size_t from = 0, at = text.find(ch);
    std::size_t operator()(std::size_t x) {
      if (x < from || (at != npos && x > at)) at = text.find(ch, x);
      from = x;
      return at;
    }
  };
  NextOf next_pct{text, '%'}, next_nl{text, '\n'};
  Rewrite rw(text, out);
  std::size_t pos = 0;
  regex::Captures caps;
  while (pos <= text.size() && head.find_at(text, pos, caps)) {
    std::size_t s = caps.start(0), e = caps.end(0);
    std::size_t pct = next_pct(e), nl = next_nl(e);
    if (e == s || (pct != npos && (nl == npos || pct < nl))) {
      pos = s + 1;  // refused here; the engine would try the next start
      continue;
    }
    rw.put(s, e, read(caps));
    pos = e;
  }
  return rw.finish();
}

bool replace_at_digit_runs(std::string_view text, const regex::Regex& dashed, Reader read, std::string& out) {
  auto in_run = [](char32_t c) { return c == U'+' || unicode::is_decimal_digit(c); };
  Rewrite rw(text, out);
  std::size_t pos = 0;
  regex::Captures caps;
  while (pos < text.size()) {
    std::size_t next = pos;
    if (!in_run(unicode::decode(text, next))) {
      pos = next;
      continue;
    }
    // pos starts a run (or follows the previous match); `second` is the
    // run's next character, tried when the first start is refused.
    bool found = dashed.match_at(text, pos, caps);
    if (!found && next < text.size()) {
      std::size_t after = next;
      if (in_run(unicode::decode(text, after))) found = dashed.match_at(text, next, caps);
    }
    if (found) {
      rw.put(caps.start(0), caps.end(0), read(caps));
      pos = caps.end(0);
      continue;
    }
    // No start in this run can match: skip it.
    while (pos < text.size()) {
      next = pos;
      if (!in_run(unicode::decode(text, next))) break;
      pos = next;
    }
  }
  return rw.finish();
}

bool replace_words_with_digits(std::string_view text, const regex::Regex& word, Reader read, std::string& out) {
  // Bytes a match may hold: "-", "_", ASCII letters and digits, and every
  // byte of a character past ASCII.
  auto in_word = [](char c) {
    return static_cast<unsigned char>(c) >= 0x80 || c == '-' || c == '_' || unicode::is_ascii_alnum(c);
  };
  Rewrite rw(text, out);
  regex::Captures caps;
  // `from`: where the last scan back from `digit` stopped.
  std::size_t pos = 0, digit = std::string_view::npos, from = 0;
  while (pos < text.size()) {
    std::size_t d = pos;
    while (d < text.size() && (text[d] < '0' || text[d] > '9')) ++d;
    if (d == text.size()) break;
    // Back from the digit to the last byte no match can hold, never before
    // pos; for the same digit again, from where the last scan stopped.
    std::size_t s = d == digit ? std::max(from, pos) : d;
    while (s > pos && in_word(text[s - 1])) --s;
    digit = d;
    from = s;
    if (!word.find_at(text, s, caps)) break;
    rw.put(caps.start(0), caps.end(0), read(caps));
    pos = std::max(caps.end(0), caps.start(0) + 1);
  }
  return rw.finish();
}

namespace {

// The bytes of an eight-byte word (bit 7 of each) that are ASCII word
// characters, and those beyond ASCII.
struct ByteKinds {
  std::uint64_t word, beyond;
};
ByteKinds byte_kinds(std::uint64_t x) {
  const std::uint64_t v = x & ~unicode::HIGH_BITS;
  const std::uint64_t beyond = x & unicode::HIGH_BITS;
  const std::uint64_t word = within(v, '0', '9') | within(v | unicode::LOW_BITS * 0x20, 'a', 'z') | within(v, '_', '_');
  return {word & ~beyond, beyond};
}

// The first characters of the codes, and every byte beyond ASCII.
constexpr std::array<bool, 256> kCodeFirst = [] {
  std::array<bool, 256> t{};
  for (char c : std::string_view("RrUuEeGgMmIi$")) t[static_cast<unsigned char>(c)] = true;
  for (std::size_t b = 0x80; b < 0x100; ++b) t[b] = true;
  return t;
}();

// Whether a code starts at p, a byte beyond ASCII or one after no ASCII word
// character: p, the place to search from, or npos.
std::size_t code_at(std::string_view text, std::size_t from, std::size_t p) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  // A code holding a character beyond ASCII (‘£’, or ‘ſ’ for "s") starts
  // at most two characters before it: from there on the engine decides.
  if (at(p) >= 0x80) return std::max(from, p >= 2 ? p - 2 : 0);
  // The rest of each code with that first letter ("r" begins "rm" and "rp").
  if (at(p) == '$') return p;
  std::string_view rest;
  switch (at(p) | 0x20) {
    case 'r': rest = "mp"; break;
    case 'u': rest = "sd"; break;
    case 'e': rest = "ur"; break;
    case 'g': rest = "bp"; break;
    case 'm': rest = "yr"; break;
    case 'i': rest = "dr"; break;
    default: return std::string_view::npos;
  }
  if (p + 1 >= text.size()) return std::string_view::npos;
  const char second = static_cast<char>(at(p + 1) | 0x20);
  if (rest == "mp") return second == 'm' || second == 'p' ? p : std::string_view::npos;
  return p + 2 < text.size() && second == rest[0] && (at(p + 2) | 0x20) == rest[1] ? p : std::string_view::npos;
}

}  // namespace

std::size_t next_code_start(std::string_view text, std::size_t from) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  if (from >= n) return std::string_view::npos;
  // Whole blocks at a time: only a byte beyond ASCII or one after a byte
  // that is no ASCII word character (a byte beyond ASCII may be part of a
  // character that is one or not: it counts as none) is looked at.
  bool after_word = from > 0 && byte_kinds(s[from - 1]).word != 0;
  std::size_t p = from;
#if defined(__SSE2__)
  for (; p + 16 <= n; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + p));
    const __m128i low = _mm_or_si128(v, _mm_set1_epi8(0x20));  // ASCII letters in lower case
    const auto is = [](__m128i w, char c) { return _mm_cmpeq_epi8(w, _mm_set1_epi8(c)); };
    const unsigned word = byte_bits(_mm_or_si128(_mm_or_si128(bytes_within(v, '0', '9'), bytes_within(low, 'a', 'z')), is(v, '_')));
    const __m128i first = _mm_or_si128(_mm_or_si128(_mm_or_si128(is(low, 'r'), is(low, 'u')), _mm_or_si128(is(low, 'e'), is(low, 'g'))),
                                       _mm_or_si128(_mm_or_si128(is(low, 'm'), is(low, 'i')), is(v, '$')));
    unsigned look = byte_bits(v) | (byte_bits(first) & ~(word << 1 | (after_word ? 1u : 0u)));
    after_word = (word >> 15) != 0;
    for (; look != 0; look &= look - 1) {
      const std::size_t at = code_at(text, from, p + static_cast<std::size_t>(std::countr_zero(look)));
      if (at != std::string_view::npos) return at;
    }
  }
#endif
  for (; p < n; p += 8) {
    std::uint64_t x = 0;
    const std::size_t len = n - p;
    if (len >= 8) {
      std::memcpy(&x, s + p, 8);
    } else {
      std::memcpy(&x, s + p, len);
    }
    const ByteKinds k = byte_kinds(x);
    const std::uint64_t not_word = ~k.word & unicode::HIGH_BITS;
    std::uint64_t look = k.beyond | (not_word << 8) | (after_word ? 0 : 0x80);
    if (len < 8) look &= (std::uint64_t{1} << (8 * len)) - 1;
    after_word = (k.word >> 63) != 0;
    for (; look != 0; look &= look - 1) {
      const std::size_t i = p + static_cast<std::size_t>(std::countr_zero(look)) / 8;
      if (!kCodeFirst[s[i]]) continue;
      const std::size_t at = code_at(text, from, i);
      if (at != std::string_view::npos) return at;
    }
  }
  return std::string_view::npos;
}

bool may_hold_scale(std::string_view text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  const auto& lead = unicode::lead_classes();
  // The letters a suffix starts with, as bits of (byte | 0x20) - 'a'.
  constexpr std::uint32_t kFirst = 1u << ('k' - 'a') | 1u << ('m' - 'a') | 1u << ('b' - 'a') | 1u << ('t' - 'a') |
                                   1u << ('r' - 'a') | 1u << ('j' - 'a');
  // After the last digit of a run, the blanks the patterns' \s matches in
  // ASCII, then the letter. Beyond ASCII, only a blank can follow (the Kelvin
  // sign, twin of "K", starts with a byte that also starts blanks).
  const auto scale_after = [&](std::size_t digit) {
    std::size_t q = digit + 1;
    while (q < n && (s[q] == ' ' || (s[q] >= '\t' && s[q] <= '\r'))) ++q;
    if (q >= n) return false;
    const unsigned letter = (s[q] | 0x20u) - 'a';
    return s[q] >= 0x80 ? (lead[s[q]] & 2) != 0 : letter < 26 && (kFirst >> letter) & 1;
  };
  // Beyond ASCII, an amount needs a digit; such a digit starts with a first
  // byte that starts some digit (0x80..0xBF only continue a character).
  const auto digit_lead = [&](unsigned char b) { return b >= 0xC0 && (lead[b] & 1) != 0; };
  std::size_t p = 0;
#if defined(__SSE2__)
  for (; p + 16 <= n; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + p));
    for (unsigned h = byte_bits(v); h != 0; h &= h - 1)
      if (digit_lead(s[p + static_cast<std::size_t>(std::countr_zero(h))])) return true;
    const unsigned digits = byte_bits(bytes_within(v, '0', '9'));
    for (unsigned d = digits & ~(digits >> 1); d != 0; d &= d - 1) {
      if (scale_after(p + static_cast<std::size_t>(std::countr_zero(d)))) return true;
    }
  }
#endif
  if (n - p < 8) {
    for (; p < n; ++p) {
      if (digit_lead(s[p]) || (s[p] >= '0' && s[p] <= '9' && scale_after(p))) return true;
    }
    return false;
  }
  for (; p < n; p += 8) {
    // The last block is the text's last eight bytes, without those seen already.
    const std::size_t at = std::min(p, n - 8);
    std::uint64_t x;
    std::memcpy(&x, s + at, 8);
    x >>= 8 * (p - at);
    const std::uint64_t high = x & unicode::HIGH_BITS;
    for (std::uint64_t h = high; h != 0; h &= h - 1)
      if (digit_lead(s[p + static_cast<std::size_t>(std::countr_zero(h)) / 8])) return true;
    // Bytes beyond ASCII zeroed: the sums below carry into no other byte.
    const std::uint64_t digits = within(x & ~((high >> 7) * 0xFF), '0', '9');
    // Only a digit that ends its run within the block can be followed by a blank or letter.
    for (std::uint64_t d = digits & ~(digits >> 8); d != 0; d &= d - 1) {
      if (scale_after(p + static_cast<std::size_t>(std::countr_zero(d)) / 8)) return true;
    }
  }
  return false;
}

namespace {
// The code walk from `first`, the text's first code start.
bool replace_after_codes_from(std::string_view text, std::size_t first, const regex::Regex& money, Reader read,
                              std::string& out) {
  Rewrite rw(text, out);
  regex::Captures caps;
  for (std::size_t pos = first; pos <= text.size(); pos = next_code_start(text, pos)) {
    if (!money.find_at(text, pos, caps)) break;
    rw.put(caps.start(0), caps.end(0), read(caps));
    pos = std::max(caps.end(0), caps.start(0) + 1);
  }
  return rw.finish();
}

}  // namespace

bool replace_after_codes(std::string_view text, const regex::Regex& money, Reader read, std::string& out) {
  return replace_after_codes_from(text, next_code_start(text, 0), money, read, out);
}

namespace {
// A walk into a buffer as a walk returning the text.
using WalkInto = bool (*)(std::string_view, const regex::Regex&, Reader, std::string&);
template <WalkInto Into>
std::string copied(std::string_view text, const regex::Regex& re, Reader read) {
  std::string out;
  return Into(text, re, read, out) ? out : std::string(text);
}
}  // namespace

std::string replace_unless_percent_follows(std::string_view text, const regex::Regex& head, Reader read) {
  return copied<replace_unless_percent_follows>(text, head, read);
}
std::string replace_at_digit_runs(std::string_view text, const regex::Regex& dashed, Reader read) {
  return copied<replace_at_digit_runs>(text, dashed, read);
}
std::string replace_words_with_digits(std::string_view text, const regex::Regex& word, Reader read) {
  return copied<replace_words_with_digits>(text, word, read);
}
std::string replace_after_codes(std::string_view text, const regex::Regex& money, Reader read) {
  return copied<replace_after_codes>(text, money, read);
}

// ---- patterns several languages run ----

constinit regex::LazyRegex RE_GROUPED_DECIMAL{R"(\b(?!0,)\d{1,3}(?:,\d{3})+\.\d+\b)"};
constinit regex::LazyRegex RE_GROUPED_ALNUM{R"(\b(?!0,)\d{1,3}(?:,\d{3})+(?=[A-Za-z]))"};

constinit regex::LazyRegex RE_ZERO_COMMA{R"((?<![\dA-Za-z_.,])0,(?=\d{3}(?!\d|[.,]\d)))"};
std::string zero_point(const regex::Captures&) { return "0."; }

std::string ungrouped(const regex::Captures& c) {
  std::string out;
  for (char ch : c.group(0))
    if (ch != ',') out.push_back(ch);
  return out;
}

constinit regex::LazyRegex RE_PERCENT{R"(((?<![\w.])\.\d+|\b\d+(?:,\d{3})*(?:\.\d+)?)%)"};

constinit regex::LazyRegex RE_DATE_YMD{R"(\b(\d{4})[/\-.](\d{1,2})[/\-.](\d{1,2})\b)"};
constinit regex::LazyRegex RE_DATE{R"(\b(\d{1,2})[/\-.](\d{1,2})[/\-.](\d{2,4})\b)"};
constinit regex::LazyRegex RE_DECIMAL{R"((?:\b(\d+)|(?<![\w.]))\.(\d+)\b)"};
constinit regex::LazyRegex RE_DASHED{R"((?<![A-Za-z])([+\d]+(?:-[\d]+)+)(?![A-Za-z]))"};
constinit regex::LazyRegex RE_COMMA_NUM{R"(\b(?!0,)\d{1,3}(?:,\d{3})+\b)"};
constinit regex::LazyRegex RE_ADJACENT{R"((?<!\S)(\d+(?:\s+\d+)+)(?=[\s.,!?]|$))"};
constinit regex::LazyRegex RE_NUMBER{R"(\b\d+\b)"};
constinit regex::LazyRegex RE_ALNUM{R"(\b[\w-]+\b)"};

// ---- readings several languages share ----

std::optional<std::string_view> month_name(std::string_view month, const MonthTable& table) {
  std::size_t zeros = month.find_first_not_of('0');
  std::string_view key = zeros == std::string_view::npos ? std::string_view{} : month.substr(zeros);
  for (const auto& [k, name] : table) {
    if (k == key) return name;
  }
  return std::nullopt;
}

std::string read_number(std::string_view text, const NumberVocab& vocab) {
  if (text.find(',') == std::string_view::npos) {
    if (const auto v = parse_u128(text)) return num2word::to_cardinal_with(*v, vocab);
  }
  std::string digits(text);
  std::erase(digits, ',');
  if (const auto v = parse_u128(digits)) return num2word::to_cardinal_with(*v, vocab);
  // Past 128 bits: digit by digit, never as zero.
  return all_ascii_digits(digits) ? digit_by_digit(digits, vocab) : num2word::to_cardinal_with(0, vocab);
}

std::string read_date(std::string_view day, std::string_view month, std::string_view year,
                      const MonthTable& table, const NumberVocab& vocab) {
  std::string out = read_number(day, vocab);
  out += ' ';
  out += month_name(month, table).value_or(month);
  out += ' ';
  out += read_number(year, vocab);
  return out;
}

unsigned read_small(std::string_view text) {
  auto v = parse_u128(text);
  return v && *v <= UINT32_MAX ? static_cast<unsigned>(*v) : 0;
}

std::string read_clock_words(const regex::Captures& c, const NumberVocab& vocab) {
  std::string out = num2word::to_cardinal_with(read_small(c[1]), vocab);
  const unsigned m = read_small(c[2]);
  if (m != 0 || c.matched(3)) out += " " + num2word::to_cardinal_with(m, vocab);
  if (c.matched(3)) out += " " + num2word::to_cardinal_with(read_small(c[3]), vocab);
  return out;
}

std::string read_clock(const regex::Captures& c, const NumberVocab& vocab) {
  if (!c.matched(3) && read_small(c[2]) == 0) {
    if (read_small(c[1]) == 0) return "tengah malam";
    if (read_small(c[1]) == 12) return "tengah hari";
  }
  return read_clock_words(c, vocab);
}

namespace {
using DigitTable = std::array<std::string, 10>;
DigitTable digit_table(const NumberVocab& vocab) {
  DigitTable out;
  for (unsigned d = 0; d < 10; ++d) out[d] = num2word::to_cardinal_with(d, vocab);
  return out;
}
// The digit words of the vocabularies the passes use, spelt once.
const DigitTable* digit_words(const NumberVocab& vocab) {
  static const DigitTable ms = digit_table(num2word::MS_VOCAB), id = digit_table(num2word::ID_VOCAB);
  return &vocab == &num2word::MS_VOCAB ? &ms : &vocab == &num2word::ID_VOCAB ? &id : nullptr;
}
}  // namespace

std::string digit_by_digit(std::string_view text, const NumberVocab& vocab) {
  const DigitTable* words = digit_words(vocab);
  std::string out;
  out.reserve(text.size() * 8);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    const char32_t ch = static_cast<unsigned char>(c) < 0x80 ? static_cast<char32_t>(text[pos++]) : unicode::decode(text, pos);
    unsigned d = unicode::is_ascii_digit(ch) ? static_cast<unsigned>(ch - U'0') : 0;
    if (!out.empty()) out += ' ';
    if (words) {
      out += (*words)[d];
    } else {
      out += num2word::to_cardinal_with(d, vocab);
    }
  }
  return out;
}

std::string read_digit_run(std::string_view run, const NumberVocab& vocab) {
  return run.size() >= 5 ? digit_by_digit(run, vocab) : read_number(run, vocab);
}

std::string spread_digits(std::string_view group) {
  std::string out;
  for (char ch : group) {
    if (ch < '0' || ch > '9') continue;  // "+", "-" and non-ASCII digit bytes
    if (!out.empty()) out += ' ';
    out += ch;
  }
  return out;
}

std::string join_digit_groups(std::string_view match) {
  std::string out;
  out.reserve(match.size());
  for (char ch : match) {
    if (ch != ' ') out += ch;
  }
  return out;
}

std::string mixed_alnum(std::string_view token, const DigitWords& digits) {
  bool alpha = false, digit = false;
  for (std::size_t pos = 0; pos < token.size();) {
    char32_t ch = unicode::decode(token, pos);
    alpha = alpha || unicode::is_alphabetic(ch);
    digit = digit || unicode::is_ascii_digit(ch);
  }
  if (!alpha || !digit) return std::string(token);
  std::string out;
  for (std::size_t pos = 0; pos < token.size();) {
    char32_t ch = unicode::decode(token, pos);
    if (!unicode::is_alphanumeric(ch)) continue;  // "-", "_", marks
    if (!out.empty()) out += ' ';
    if (unicode::is_ascii_digit(ch)) {
      out += digits[ch - U'0'];
    } else {
      out += unicode::upper_char(ch);
    }
  }
  return out;
}

}  // namespace kalvesta::rules
