// Entities: cutting URLs, addresses, amounts, dates and the like out of the
// text behind placeholders before the language passes run, and putting their
// spoken forms back afterwards. Also holds the spellers of each kind.
#include "entities.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <array>
#include <optional>
#include <span>
#include <unordered_set>
#include <utility>

#include "lang/words.h"
#include "langpack.h"
#include "normalize.h"
#include "normalize_en.h"
#include "normalize_id.h"
#include "normalize_zh.h"
#include "num2word_en.h"
#include "numtext.h"
#include "regex.h"
#include "rules.h"
#include "shared.h"
#include "unicode.h"

namespace kalvesta::entities {

// The spellers' `lang` parameter hides the namespace of that name.
namespace words = kalvesta::lang;

namespace {

// ---- extraction patterns ----

// Every URL holds "." or ":", every e-mail "@" (tried at each position of a
// run of letters and dots or dashes, these scan the rest of the run).
constinit regex::LazyRegex RE_URL{
    R"((?i)(?:https?://|ftp://|www\.)[^\s]+|\b(?:\d{1,3}\.){3}\d{1,3}(?::\d+)?(?:/[^\s]*)?|\b(?C1)[A-Za-z0-9-]+\.[A-Za-z]{2,}(?:/[^\s]*)?)", ".:"};
constinit regex::LazyRegex RE_EMAIL{R"((?i)\b(?C1)[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Z|a-z]{2,}\b)", "@"};
// A number may touch a Chinese character directly (‘电话0123456789谢谢’), as a blank.
constinit regex::LazyRegex RE_PHONE{
    R"((?<![^\W\p{Ideographic}])(?:\+?6?01\d[-\s]?\d{3,4}[-\s]?\d{4}|\+?6?0\d[-\s]?\d{4}[-\s]?\d{4}|1[-\s]?[348]00[-\s]?\d{2}[-\s]?\d{4}|154\d{2})(?![^\W\p{Ideographic}]))"};
constinit regex::LazyRegex RE_IC{R"(\b(\d{6})-?(\d{2})-?(\d{4})\b)"};
constinit regex::LazyRegex RE_VERSION{R"(\b(?!\d{4}\.\d{1,2}\.\d{1,2}\b)(\d+)(?:\.\d+){2,}\b)"};
// An amount may follow a Chinese character directly (‘价格$5’), as after a blank.
constinit regex::LazyRegex RE_CURRENCY{
    R"((?i)(?<![^\W\p{Ideographic}])(RM|Rp|USD|EUR|GBP|MYR|IDR|\$|£|€)(?:\s?)([\d,]+(?:[\.,]\d+)?|\.\d+)(?:[KMBT])?\b)"};
constinit regex::LazyRegex RE_ADDRESS_SLASH{
    R"((?i)\b(?:Jalan|Lorong|Taman|Bukit|Kampung|Tingkat|Lintang|Pesisir|Persiaran|Lebuh|Medan|Lengkung|Halaman)\s+(?:\S+\s+)?(\d+)\s*/\s*(\d+)\b|\b(?:Jalan|Lorong|Taman|Bukit|Kampung|Tingkat|Lintang|Pesisir|Persiaran|Lebuh|Medan|Lengkung|Halaman)\s+([A-Za-z]*\d+)\s*/\s*(\d+)\b)"};

// DATE and TIME are alternations of separately written forms; "{M}" stands
// for the English month names and their three-letter forms.
constexpr std::array<std::string_view, 4> DATE_PARTS = {
    R"((?<![A-Za-z0-9_])\d{1,2}/\d{1,2}/\d{4}(?![A-Za-z0-9_]))",
    R"((?<![A-Za-z0-9_])\d{4}-\d{1,2}-\d{1,2}(?![A-Za-z0-9_]))",
    R"(\b\d{1,2}\s+(?:{M})[a-z]*\.?\s+\d{4}\b)",
    R"(\b(?:{M})[a-z]*\.?\s+\d{1,2},?\s+\d{4}\b)",
};
constexpr std::array<std::string_view, 3> TIME_PARTS = {
    R"(\b\d{1,2}:\d{2}(?::\d{2})?\s*(?:pagi|petang|siang|sore|malam|tengah\s+hari)\b)",
    R"(\b\d{1,2}:\d{2}(?::\d{2})?\s*(?:am|pm|a\.m\.|p\.m\.)?(?![A-Za-z0-9_]))",
    R"(\b\d{1,2}:\d{2}:\d{2}\b)",
};

template <std::size_t N>
std::string join_alternatives(std::string_view prefix, const std::array<std::string_view, N>& parts) {
  std::string out(prefix);
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) out += '|';
    out += "(?:";
    out += parts[i];
    out += ')';
  }
  return out;
}

const regex::Regex& re_date() {
  static const regex::Regex re([] {
    std::string names, shorts;
    for (const auto& [number, name] : words::en::MONTHS) {
      names.append(names.empty() ? "" : "|").append(name);
      shorts.append("|").append(name.substr(0, 3));
    }
    return unicode::replace_all(join_alternatives("", DATE_PARTS), "{M}", names + shorts);
  }());
  return re;
}

const regex::Regex& re_time() {
  static const regex::Regex re(join_alternatives("(?i)", TIME_PARTS));
  return re;
}

// ---- extraction refusals ----

// Equal but for the case of ASCII letters.
bool ascii_iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// A web address written at the end of a sentence or clause: the full stop
// or comma after it belongs to the sentence (‘see www.a.com.’), not to the
// address, and would otherwise be read out as "dot".
std::size_t closing_punctuation(std::string_view match) {
  std::size_t n = 0;
  while (n + 1 < match.size() && std::string_view(".,;:!?").find(match[match.size() - 1 - n]) != std::string_view::npos) ++n;
  return n;
}

// An amount that the currency pattern cut short: its number goes on
// (‘RM1.5万’ stops at ‘RM1’), or a scale follows (‘$2.5 billion’, ‘RM3万’).
// Cut out, it would be read without its scale; left in the text, the
// language passes read the whole amount.
bool amount_goes_on(std::string_view text, std::size_t, std::size_t end) {
  std::string_view rest = text.substr(end);
  if (rest.size() >= 2 && (rest[0] == '.' || rest[0] == ',') && rest[1] >= '0' && rest[1] <= '9') return true;
  std::size_t pos = 0, next = 0;
  while (next < rest.size() && unicode::is_white_space(unicode::decode(rest, next))) pos = next;
  for (std::string_view scale : {"千", "百", "万", "亿", "兆"}) {
    if (rest.substr(pos).starts_with(scale)) return true;
  }
  // Whitespace, then an English scale word ending at a word boundary.
  if (pos == 0) return false;
  for (std::size_t group = 1; group <= 4; ++group) {
    std::string_view word = words::en::SCALES[group];  // thousand to trillion
    if (rest.size() - pos < word.size()) continue;
    // No character past ASCII lowers to a letter of these words (the Kelvin sign lowers to k).
    if (!ascii_iequals(rest.substr(pos, word.size()), word)) continue;
    std::size_t after = pos + word.size();
    if (after < rest.size() && (rest[after] == 's' || rest[after] == 'S')) ++after;  // ‘billions’
    if (after == rest.size()) return true;
    std::size_t k = after;
    const char32_t next_char = unicode::decode(rest, k);
    return !unicode::is_word_char(next_char) || unicode::is_ideographic(next_char);  // ‘trillion左右’
  }
  return false;
}

// Digits that a "." joins to the match's own digits: ‘454718956334.81398’ is
// one decimal number, not an identity card and a stray fraction.
bool part_of_decimal(std::string_view text, std::size_t start, std::size_t end) {
  auto digit_at = [&](std::size_t pos) {
    return pos < text.size() && unicode::is_decimal_digit(unicode::decode(text, pos));
  };
  if (end < text.size() && text[end] == '.' && digit_at(end + 1)) return true;
  if (start < 2 || text[start - 1] != '.') return false;
  std::size_t before = start - 2;
  while (before > 0 && (static_cast<unsigned char>(text[before]) & 0xC0) == 0x80) --before;
  return digit_at(before);
}

// ---- speller patterns ----

constinit regex::LazyRegex RE_SPELL_WWW{R"(www\.?)"};
constinit regex::LazyRegex RE_SPELL_PORT{R"(:(\d+))"};
constinit regex::LazyRegex RE_SPELL_DIGITS{R"(\d+)"};
constinit regex::LazyRegex RE_SPELL_LETTER_DIGIT{R"((?<=[a-zA-Z])(?=\d)|(?<=\d)(?=[a-zA-Z]))"};
constinit regex::LazyRegex RE_SPELL_DATE_YMD{R"(\b(\d{4})-(\d{1,2})-(\d{1,2})\b)"};
constinit regex::LazyRegex RE_SPELL_DATE_DMY{
    R"((?<![A-Za-z0-9_])(\d{1,2})[/\-.](\d{1,2})[/\-.](\d{4})(?![A-Za-z0-9_]))"};
constinit regex::LazyRegex RE_SPELL_DATE_DAY_NAME{R"(\b(\d{1,2})\s+([A-Za-z]+)\.?\s+(\d{4})\b)"};
constinit regex::LazyRegex RE_SPELL_DATE_NAME_DAY{R"(\b([A-Za-z]+)\.?\s+(\d{1,2}),?\s+(\d{4})\b)"};
constinit regex::LazyRegex RE_SPELL_TIME{
    R"((?i)\b(\d{1,2}):(\d{2})(?::(\d{2}))?\s*(am|pm|a\.m\.|p\.m\.|pagi|petang|siang|sore|malam|tengah\s+hari)?)"};
constinit regex::LazyRegex RE_SPELL_MONEY_ZH{
    R"((?i)(?<![A-Za-z0-9_])(\$|£|€|RM|MYR|USD|EUR|GBP)(?:\s?)([\d,]+(?:[\.,]\d+)?|\.\d+))"};
constinit regex::LazyRegex RE_SPELL_MONEY{
    R"((?i)(?<!\w)(RM|Rp|USD|EUR|GBP|MYR|IDR|\$|£|€)(?:\s?)([\d,]+(?:[\.,]\d+)?|\.\d+))"};
constinit regex::LazyRegex RE_SPELL_ADDRESS_SLASH{
    R"((?i)\b((?:Jalan|Lorong|Taman|Bukit|Kampung|Tingkat|Lintang|Pesisir|Persiaran|Lebuh|Medan|Lengkung|Halaman)\s+)(?:\S+\s+)?([A-Za-z]*)(\d+)\s*/\s*(\d+))"};

// ---- small readings ----

// A captured number: optional "+", ASCII digits; anything else reads as 0.
u128 read_number(std::string_view text) { return parse_u128(text).value_or(0); }

constexpr bool ascii_names(const words::MonthNames& names) {
  for (const auto& row : names)
    for (char c : row.second)
      if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}
// The words come from ASCII letter groups; with ASCII names, ASCII case
// folding is the whole of the Unicode one.
static_assert(ascii_names(words::en::MONTHS) && ascii_names(words::ms::MONTHS) && ascii_names(words::id::MONTHS));

// The number ("7") of a spelled month: an English, Malay or Indonesian name,
// or the first three letters of an English one; empty when unknown.
std::string_view month_number(std::string_view word) {
  for (const words::MonthNames* names : {&words::en::MONTHS, &words::ms::MONTHS, &words::id::MONTHS})
    for (const auto& [number, name] : *names)
      if (ascii_iequals(name, word)) return number;
  for (const auto& [number, name] : words::en::MONTHS)
    if (word.size() == 3 && ascii_iequals(name.substr(0, 3), word)) return number;
  return ascii_iequals(word, "sept") ? "9" : "";
}

// A date's day and year as written, its month as written and as a number
// without leading zeros (empty for a name that is no month).
struct DateFields {
  std::string_view day, month, year, month_key;
};

std::optional<DateFields> date_fields(std::string_view text) {
  auto numeric = [](std::string_view day, std::string_view month, std::string_view year) {
    return DateFields{day, month, year, month.substr(std::min(month.find_first_not_of('0'), month.size()))};
  };
  regex::Captures c;
  // Each form is tried only when the text holds its separator or an ASCII letter, which its pattern needs.
  if (text.find('-') != std::string_view::npos && RE_SPELL_DATE_YMD->find_at(text, 0, c))
    return numeric(c.group(3), c.group(2), c.group(1));
  if (text.find_first_of("/-.") != std::string_view::npos && RE_SPELL_DATE_DMY->find_at(text, 0, c))
    return numeric(c.group(1), c.group(2), c.group(3));
  if (std::none_of(text.begin(), text.end(), [](char b) { return unicode::is_ascii_letter(b); }))
    return std::nullopt;
  // ‘16 July 1943’, ‘Jul. 16, 1943’
  if (RE_SPELL_DATE_DAY_NAME->find_at(text, 0, c))
    return DateFields{c.group(1), c.group(2), c.group(3), month_number(c.group(2))};
  if (RE_SPELL_DATE_NAME_DAY->find_at(text, 0, c))
    return DateFields{c.group(2), c.group(1), c.group(3), month_number(c.group(1))};
  return std::nullopt;
}

// ‘11/17/2005’ or ‘32 May 2024’ is no date: left to the number passes.
bool not_a_calendar_date(std::string_view text, std::size_t start, std::size_t end) {
  std::optional<DateFields> f = date_fields(text.substr(start, end - start));
  return f && !rules::is_day_and_month(read_number(f->day), read_number(f->month_key));
}

// Each character of a digit run as a Chinese cardinal; a non-ASCII digit is 0.
std::string digit_words_zh(std::string_view run) {
  std::string out;
  std::size_t pos = 0;
  while (pos < run.size()) {
    if (pos > 0) out += ' ';
    char32_t c = unicode::decode(run, pos);
    out += normalize_zh::to_cardinal_zh(unicode::is_ascii_digit(c) ? static_cast<u128>(c - U'0') : 0);
  }
  return out;
}

std::string spaced_chars(std::string_view text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t start = pos;
    unicode::decode(text, pos);
    if (start > 0) out += ' ';
    out.append(text.substr(start, pos - start));
  }
  return out;
}

// Rows of one byte and the text it becomes.
template <std::size_t N>
using ByteRows = std::array<std::pair<std::string_view, std::string_view>, N>;

// Whether no row's text holds a later row's byte: then applying the rows in
// order, each to the previous output, is one pass over the text.
template <std::size_t N>
constexpr bool one_pass(const ByteRows<N>& rows) {
  for (std::size_t i = 0; i < N; ++i) {
    if (rows[i].first.size() != 1) return false;
    for (std::size_t j = i + 1; j < N; ++j)
      if (rows[i].second.find(rows[j].first[0]) != std::string_view::npos) return false;
  }
  return true;
}

// Plain replacements applied in order; each row sees the previous output.
template <const auto& Rows>
std::string replace_each(std::string_view text) {
  static_assert(one_pass(Rows));
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    const auto row = std::find_if(Rows.begin(), Rows.end(), [c](const auto& r) { return r.first[0] == c; });
    if (row == Rows.end()) out += c;
    else out += row->second;
  }
  return out;
}

// "scheme://" -> the scheme spelled out and `spoken`, for every occurrence.
std::string speak_scheme(std::string text, std::string_view spoken) {
  std::size_t sep = text.find("://");
  if (sep == std::string::npos) return text;
  std::string scheme = text.substr(0, sep);
  return unicode::replace_all(text, scheme + "://", spaced_chars(scheme) + std::string(spoken));
}

std::string remove_char(std::string_view text, char c) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text)
    if (ch != c) out += ch;
  return out;
}

// ---- quick checks ----

// Each kind's check says "no" only when its pattern cannot match anywhere in
// the text (tests hold it against the patterns), so the scan is skipped:
// most sentences hold no web address, date or amount at all. Nearly every
// kind's match holds a digit, so the checks look only at the few bytes
// around the text's digit runs, found in one walk.

constexpr std::size_t char_len(unsigned char b) { return b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4; }

enum class CharClass { digit, blank };  // the dialect's \d and \s

// class_at past ASCII.
std::size_t class_at_wide(std::string_view t, std::size_t pos, CharClass k) {
  if ((unicode::lead_classes()[static_cast<unsigned char>(t[pos])] & (k == CharClass::digit ? 1 : 2)) == 0) return 0;
  std::size_t next = pos;
  const char32_t c = unicode::decode(t, next);
  return (k == CharClass::digit ? unicode::is_decimal_digit(c) : unicode::is_white_space(c)) ? next - pos : 0;
}

// Byte length of the character at `pos` when it is of the class, else 0.
inline std::size_t class_at(std::string_view t, std::size_t pos, CharClass k) {
  if (pos >= t.size()) return 0;
  const auto b = static_cast<unsigned char>(t[pos]);
  if (b < 0x80) return (k == CharClass::digit ? b >= '0' && b <= '9' : unicode::is_ascii_blank(b)) ? 1 : 0;
  return class_at_wide(t, pos, k);
}

// The same for the character that ends at `end`.
inline std::size_t class_before(std::string_view t, std::size_t end, CharClass k) {
  if (end == 0 || end > t.size()) return 0;
  if (static_cast<unsigned char>(t[end - 1]) < 0x80) return class_at(t, end - 1, k);
  std::size_t start = end - 1;
  while (start > 0 && end - start < 4 && (static_cast<unsigned char>(t[start]) & 0xC0) == 0x80) --start;
  return class_at(t, start, k) == end - start ? end - start : 0;
}

inline std::size_t digit_at(std::string_view t, std::size_t pos) { return class_at(t, pos, CharClass::digit); }

std::size_t skip_blanks(std::string_view t, std::size_t pos) {
  while (std::size_t n = class_at(t, pos, CharClass::blank)) pos += n;
  return pos;
}

std::size_t skip_blanks_back(std::string_view t, std::size_t end) {
  while (std::size_t n = class_before(t, end, CharClass::blank)) end -= n;
  return end;
}

// A maximal run of digits: its bytes and how many digits it holds.
struct DigitRun {
  std::size_t start, end, digits;
};

// A list whose first N items are held in place: most texts have a handful
// of digit runs or placeholders, and then need no allocation.
template <class T, std::size_t N>
class FewList {
 public:
  T* begin() { return heap_.empty() ? inline_.data() : heap_.data(); }
  T* end() { return begin() + size_; }
  const T* begin() const { return heap_.empty() ? inline_.data() : heap_.data(); }
  const T* end() const { return begin() + size_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](std::size_t i) { return begin()[i]; }
  const T& operator[](std::size_t i) const { return begin()[i]; }
  void clear() {
    size_ = 0;
    heap_.clear();
  }
  // Keeps the first n items.
  void truncate(std::size_t n) {
    if (!heap_.empty()) heap_.resize(n);
    size_ = n;
  }
  T& back() { return begin()[size_ - 1]; }
  void push_back(const T& item) {
    if (heap_.empty() && size_ < N) {
      inline_[size_++] = item;
      return;
    }
    if (heap_.empty()) heap_.assign(inline_.begin(), inline_.end());
    heap_.push_back(item);
    ++size_;
  }

 private:
  std::array<T, N> inline_;
  std::vector<T> heap_;
  std::size_t size_ = 0;
};

using RunList = FewList<DigitRun, 8>;

// A set of bytes.
class Bytes {
 public:
  constexpr Bytes() = default;
  constexpr explicit Bytes(std::string_view of) {
    for (char c : of) add(c);
  }
  constexpr void add(char c) {
    const auto b = static_cast<unsigned char>(c);
    bits_[b >> 6] |= std::uint64_t{1} << (b & 63);
  }
  bool has_any(const Bytes& of) const {
    return ((bits_[0] & of.bits_[0]) | (bits_[1] & of.bits_[1]) | (bits_[2] & of.bits_[2]) | (bits_[3] & of.bits_[3])) != 0;
  }

 private:
  std::array<std::uint64_t, 4> bits_{};
};

// A text with its digit runs, left to right, and what stands around them:
// the byte right after each run and the first byte after it and its blanks,
// the byte right before each run and the last byte before it and its blanks;
// and how many digits the runs hold.
struct Scanned {
  std::string_view text;
  RunList runs;
  Bytes next, after_blanks, prev, before_blanks;
  std::size_t digits = 0;
  bool bare = false;  // the text is one run of digits

  void scan(std::string_view t) {
    text = t;
    runs.clear();
    scan_into(t, 0, runs);
    index();
  }
  // What stands around the runs, for the text and runs as they stand.
  void index() {
    next = after_blanks = prev = before_blanks = Bytes{};
    digits = 0;
    bare = runs.size() == 1 && runs[0].start == 0 && runs[0].end == text.size();
    for (const DigitRun& r : runs) {
      digits += r.digits;
      if (r.start > 0) {
        prev.add(text[r.start - 1]);
        const std::size_t p = skip_blanks_back(text, r.start);
        if (p > 0) before_blanks.add(text[p - 1]);
      }
      if (r.end == text.size()) continue;
      next.add(text[r.end]);
      const std::size_t p = skip_blanks(text, r.end);
      if (p < text.size()) after_blanks.add(text[p]);
    }
  }
  // Appends the runs of `t`, moved on by `offset`.
  static void scan_into(std::string_view t, std::size_t offset, RunList& runs) {
    const auto& lead = unicode::lead_classes();
    const auto* bytes = reinterpret_cast<const unsigned char*>(t.data());
    for (std::size_t p = 0; p < t.size();) {
      const unsigned char b = bytes[p];
      if (b < 0x80) {
        if (static_cast<unsigned char>(b - '0') > 9) {
          ++p;
          // Then eight ASCII bytes at a time: a byte beyond ASCII or an ASCII
          // digit ("0" plus 0x50 reaches the high bit, ":" plus 0x46 does) stops,
          // at the first such byte (carries run only towards later bytes).
          for (std::uint64_t x; p + 8 <= t.size(); p += 8) {
            std::memcpy(&x, bytes + p, 8);
            const std::uint64_t stop = (x & unicode::HIGH_BITS) | unicode::within(x, '0', '9');
            if (stop == 0) continue;
            if constexpr (std::endian::native == std::endian::little) p += static_cast<std::size_t>(std::countr_zero(stop)) / 8;
            break;
          }
          continue;
        }
      } else if ((lead[b] & 1) == 0 || digit_at(t, p) == 0) {
        p += char_len(b);
        continue;
      }
      DigitRun run{p, p, 0};
      while (true) {
        while (run.end < t.size() && static_cast<unsigned char>(t[run.end] - '0') <= 9) ++run.end, ++run.digits;
        const std::size_t n = run.end < t.size() && static_cast<unsigned char>(t[run.end]) >= 0x80 ? digit_at(t, run.end) : 0;
        if (n == 0) break;
        run.end += n, ++run.digits;
      }
      p = run.end;
      runs.push_back({run.start + offset, run.end + offset, run.digits});
    }
  }
  template <class F>
  bool any_run(F&& f) const {
    return std::any_of(runs.begin(), runs.end(), f);
  }
};

// Whether f(pos) holds at some occurrence of byte `c`.
template <class F>
bool any_at(std::string_view t, char c, F&& f) {
  for (std::size_t p = t.find(c); p != std::string_view::npos; p = t.find(c, p + 1))
    if (f(p)) return true;
  return false;
}

// ‘1.2.3’ from its first ".": a digit, ".", digits, ".", a digit (every
// version and IP address).
bool dotted_digits(std::string_view t, std::size_t dot) {
  if (dot >= t.size() || t[dot] != '.' || class_before(t, dot, CharClass::digit) == 0) return false;
  std::size_t p = dot + 1;
  while (std::size_t n = digit_at(t, p)) p += n;
  return p > dot + 1 && p < t.size() && t[p] == '.' && digit_at(t, p + 1) != 0;
}

// Under (?i) an ASCII letter class also takes the Kelvin sign and the long s,
// so any byte past ASCII may stand for a letter.
bool may_hold_email(const Scanned& s) {
  const std::string_view t = s.text;
  return any_at(t, '@', [&](std::size_t p) {
    if (p == 0 || p + 1 >= t.size()) return false;
    const auto before = static_cast<unsigned char>(t[p - 1]), after = static_cast<unsigned char>(t[p + 1]);
    return (before >= 0x80 || unicode::is_ascii_alnum(before) || std::string_view("._%+-").find(before) != std::string_view::npos) &&
           (after >= 0x80 || unicode::is_ascii_alnum(after) || after == '.' || after == '-');
  });
}

bool may_hold_url(const Scanned& s) {
  const std::string_view t = s.text;
  if (t.find("://") != std::string_view::npos) return true;
  auto w = [&](std::size_t p) { return (t[p] | 0x20) == 'w'; };
  return any_at(t, '.', [&](std::size_t p) {
    if (p >= 3 && w(p - 3) && w(p - 2) && w(p - 1)) return true;  // ‘www.’
    if (p > 0 && p + 1 < t.size()) {  // ‘x.my’
      const auto before = static_cast<unsigned char>(t[p - 1]), after = static_cast<unsigned char>(t[p + 1]);
      if ((before >= 0x80 || unicode::is_ascii_alnum(before) || before == '-') &&
          (after >= 0x80 || unicode::is_ascii_letter(after)))
        return true;
    }
    return dotted_digits(t, p);  // ‘192.168.1.1’
  });
}

// Five digits or more in runs joined by one blank or dash (‘012-345 6789’).
bool may_hold_phone(const Scanned& s) {
  if (s.digits < 5) return false;
  std::size_t chain = 0;
  for (std::size_t i = 0; i < s.runs.size(); ++i) {
    const DigitRun& r = s.runs[i];
    chain += r.digits;
    if (chain >= 5) return true;
    if (i + 1 == s.runs.size()) break;
    const std::size_t gap = s.runs[i + 1].start - r.end;
    const bool joined =
        (gap == 1 && s.text[r.end] == '-') || (gap > 0 && class_at(s.text, r.end, CharClass::blank) == gap);
    if (!joined) chain = 0;
  }
  return false;
}

template <bool (*At)(std::string_view, const DigitRun&)>
bool any_run_at(const Scanned& s) {
  return s.any_run([&](const DigitRun& r) { return At(s.text, r); });
}

bool six_digits(std::string_view, const DigitRun& r) { return r.digits >= 6; }
bool dotted_after(std::string_view t, const DigitRun& r) { return dotted_digits(t, r.end); }

// The byte length of a code or sign ending at `end`, in either case (the
// long s stands for "s"); 0 when none does. At most one can end anywhere.
std::size_t currency_code_before(std::string_view t, std::size_t end) {
  auto is = [&](std::size_t back, char lower) { return end >= back && (t[end - back] | 0x20) == lower; };
  if (end == 0) return 0;
  switch (t[end - 1] | 0x20) {
    case '$': return t[end - 1] == '$' ? 1 : 0;
    case 'm': return is(2, 'r') ? 2 : 0;                           // RM
    case 'p': return is(2, 'r') ? 2 : is(3, 'g') && is(2, 'b') ? 3 : 0;  // Rp, GBP
    case 'r':                                                     // EUR, MYR, IDR
      return (is(3, 'e') && is(2, 'u')) || (is(3, 'm') && is(2, 'y')) || (is(3, 'i') && is(2, 'd')) ? 3 : 0;
    case 'd':                                                     // USD
      return is(3, 'u') && is(2, 's') ? 3 : end >= 4 && is(4, 'u') && t.substr(end - 3, 2) == "\u017f" ? 4 : 0;
    case '\xA3' | 0x20:  // the last byte of £
      return t[end - 1] == '\xA3' && end >= 2 && t[end - 2] == '\xC2' ? 2 : 0;
    case '\xAC' | 0x20:  // the last byte of €
      return t[end - 1] == '\xAC' && end >= 3 && t.substr(end - 3, 2) == "\xE2\x82" ? 3 : 0;
    default:
      return 0;
  }
}

// Where an amount starting at `amount` may have its code begin: right
// before it, or before one blank; npos when neither holds a code.
std::size_t currency_start(std::string_view t, std::size_t amount) {
  if (std::size_t code = currency_code_before(t, amount)) return amount - code;
  // Only a blank can stand between: most amounts follow an ASCII letter,
  // digit or mark that is none.
  if (amount == 0 || (static_cast<unsigned char>(t[amount - 1]) < 0x80 && !unicode::is_ascii_blank(t[amount - 1])))
    return std::string_view::npos;
  const std::size_t blank = class_before(t, amount, CharClass::blank);
  if (blank == 0) return std::string_view::npos;
  const std::size_t code = currency_code_before(t, amount - blank);
  return code == 0 ? std::string_view::npos : amount - blank - code;
}

// An amount (a digit, "," or "." before a digit) right after a code or
// sign, or after one blank that follows it.
bool may_hold_currency(const Scanned& s) {
  const std::string_view t = s.text;
  auto amount_at = [&](std::size_t p) { return currency_start(t, p) != std::string_view::npos; };
  // A code or sign ends in one of these bytes, right before a run or before the blank before one;
  // a "." before a digit stands right before a run.
  constexpr Bytes code_ends("$mMpPrRdD\xA3\xAC"), dot(".");
  const bool before_runs = s.prev.has_any(code_ends) || s.before_blanks.has_any(code_ends);
  return (before_runs && s.any_run([&](const DigitRun& r) { return amount_at(r.start); })) ||
         any_at(t, ',', amount_at) ||
         (s.prev.has_any(dot) && any_at(t, '.', [&](std::size_t p) { return digit_at(t, p + 1) != 0 && amount_at(p); }));
}

// The short form of a month name (‘May’, ‘Sep’) at `pos`, as written.
bool month_at(std::string_view t, std::size_t pos) {
  constexpr std::uint32_t initials = [] {
    std::uint32_t bits = 0;
    for (const auto& [number, name] : words::en::MONTHS) bits |= 1u << (name[0] - 'A');
    return bits;
  }();
  if (pos + 3 > t.size() || t[pos] < 'A' || t[pos] > 'Z' || !(initials >> (t[pos] - 'A') & 1)) return false;
  for (const auto& [number, name] : words::en::MONTHS)
    if (name[1] == t[pos + 1] && name[2] == t[pos + 2] && name[0] == t[pos]) return true;
  return false;
}

bool may_hold_date(const Scanned& s) {
  const std::string_view t = s.text;
  // A separator after a run, or a month name (perhaps with its full stop) before one.
  constexpr Bytes separators("/-"), name_ends(".abcdefghijklmnopqrstuvwxyz");
  if (!s.next.has_any(separators) && !s.before_blanks.has_any(name_ends)) return false;
  return s.any_run([&](const DigitRun& r) {
    // ‘12/05/2024’, ‘2024-05-12’
    if (r.end < t.size() && (t[r.end] == '/' || t[r.end] == '-') && digit_at(t, r.end + 1)) return true;
    // ‘Jul. 16, 1943’, ‘16 July 1943’: a month name, the rest of its word,
    // perhaps a full stop, blanks, then digits
    std::size_t p = skip_blanks_back(t, r.start);
    if (p > 0 && t[p - 1] == '.') --p;
    while (p > 0 && t[p - 1] >= 'a' && t[p - 1] <= 'z') --p;
    return p > 0 && month_at(t, p - 1);
  });
}

bool may_hold_time(const Scanned& s) {
  constexpr Bytes colon(":");
  return s.next.has_any(colon) && s.any_run([&](const DigitRun& r) {
    return r.end < s.text.size() && s.text[r.end] == ':' && digit_at(s.text, r.end + 1);
  });
}

// A unit letter (or the Kelvin sign) after a digit, blanks and a degree sign
// between them allowed, with no letter or digit after it.
bool may_hold_temperature(const Scanned& s) {
  const std::string_view t = s.text;
  constexpr Bytes units("cCfFkK\xC2\xE2");  // the first bytes of the units and of the degree sign
  return s.after_blanks.has_any(units) && s.any_run([&](const DigitRun& r) {
    std::size_t p = skip_blanks(t, r.end);
    if (t.substr(p, 2) == "\u00b0") p += 2;
    if (p >= t.size()) return false;
    const auto b = static_cast<unsigned char>(t[p] | 0x20);
    std::size_t len = 0;
    if (b == 'c' || b == 'f' || b == 'k') len = 1;
    else if (t.substr(p, 3) == "\u212a") len = 3;
    if (len == 0) return false;
    const auto after = p + len < t.size() ? static_cast<unsigned char>(t[p + len]) : ' ';
    return !unicode::is_ascii_alnum(after) && after != '_';
  });
}

// ‘3 / 4’: a digit either side of a slash, blanks between allowed.
bool slash_after(std::string_view t, const DigitRun& r) {
  const std::size_t p = skip_blanks(t, r.end);
  return p < t.size() && t[p] == '/' && digit_at(t, skip_blanks(t, p + 1));
}

// A letter after a digit, blanks between allowed (‘3 x’, ‘1445H’, ‘15 hb’).
template <char Lower, char Next = 0>
bool letter_after(std::string_view t, const DigitRun& r) {
  const std::size_t p = skip_blanks(t, r.end);
  if (p >= t.size() || (t[p] != Lower && t[p] != Lower - 'a' + 'A')) return false;
  return Next == 0 || (p + 1 < t.size() && (t[p + 1] | 0x20) == Next);
}

// The same, for kinds whose check looks at what follows a run: skipped
// when no run is followed by what the check needs.
bool may_hold_version(const Scanned& s) {
  constexpr Bytes dot(".");
  return s.next.has_any(dot) && any_run_at<dotted_after>(s);
}
bool may_hold_slash(const Scanned& s) {
  constexpr Bytes slash("/");
  return s.after_blanks.has_any(slash) && any_run_at<slash_after>(s);
}
template <char Lower, char Next = 0>
bool may_hold_letter(const Scanned& s) {
  constexpr char either[] = {Lower, static_cast<char>(Lower - 'a' + 'A')};
  constexpr Bytes letter(std::string_view(either, 2));
  return s.after_blanks.has_any(letter) && any_run_at<letter_after<Lower, Next>>(s);
}

// Every scale suffix (‘K’, ‘ juta’, ‘ trilion’...) follows a digit, blanks
// between allowed, and starts with one of these letters or the Kelvin sign.
bool may_hold_scale(std::string_view t) {
  if (t.find_first_of("kmbtrjKMBTRJ\xE2") == std::string_view::npos) return false;  // none of those first bytes
  for (std::size_t p = 0; p < t.size(); ++p) {
    if (class_before(t, p, CharClass::digit) == 0) continue;
    const std::size_t q = skip_blanks(t, p);
    if (q < t.size() && (std::string_view("kmbtrj").find(static_cast<char>(t[q] | 0x20)) != std::string_view::npos ||
                         t.substr(q, 3) == "\u212a"))
      return true;
  }
  return false;
}

// ---- where matches can start ----

// Each kind's list holds every place a match of its pattern can start
// (tests hold it against the patterns), so the pattern is tried anchored
// there instead of walking the whole text: on Chinese text a walk tries
// every character. Places may repeat and come in any order.
using Starts = FewList<std::size_t, 16>;

// The starts of the last `k` digits of a run (fewer when it holds fewer).
void last_digits(std::string_view t, const DigitRun& r, std::size_t k, Starts& out) {
  std::size_t p = r.end;
  for (std::size_t i = 0; i < k && p > r.start; ++i) {
    p -= class_before(t, p, CharClass::digit);
    out.push_back(p);
  }
}

// ‘7:30’: one of the last two digits before a colon.
void time_starts(const Scanned& s, Starts& out) {
  for (const DigitRun& r : s.runs)
    if (r.end < s.text.size() && s.text[r.end] == ':') last_digits(s.text, r, 2, out);
}

void date_starts(const Scanned& s, Starts& out) {
  const std::string_view t = s.text;
  for (const DigitRun& r : s.runs) {
    const char after = r.end < t.size() ? t[r.end] : '\0';
    if (after == '/') last_digits(t, r, 2, out);  // ‘12/05/2024’
    if (after == '-' && r.digits >= 4) {          // ‘2024-05-12’: the fourth digit from the end
      std::size_t p = r.end;
      for (int i = 0; i < 4; ++i) p -= class_before(t, p, CharClass::digit);
      out.push_back(p);
    }
    // ‘16 July 1943’: one of the last two digits before blanks and a month
    if (month_at(t, skip_blanks(t, r.end))) last_digits(t, r, 2, out);
    // ‘Jul. 16, 1943’: the month name
    std::size_t p = skip_blanks_back(t, r.start);
    if (p > 0 && t[p - 1] == '.') --p;
    while (p > 0 && t[p - 1] >= 'a' && t[p - 1] <= 'z') --p;
    if (p > 0 && month_at(t, p - 1)) out.push_back(p - 1);
  }
}

// The code before an amount.
void currency_starts(const Scanned& s, Starts& out) {
  const std::string_view t = s.text;
  auto at = [&](std::size_t p) {
    if (std::size_t start = currency_start(t, p); start != std::string_view::npos) out.push_back(start);
    return false;
  };
  for (const DigitRun& r : s.runs) at(r.start);
  any_at(t, ',', at);
  if (!s.runs.empty()) any_at(t, '.', [&](std::size_t p) { return digit_at(t, p + 1) != 0 && at(p); });
}

// Nothing that is a word character but not Chinese may come before a phone
// number, so it starts at a run of digits or at the "+" before one; and its
// digits start "0", "60", "1" before a blank or dash, "13", "14", "15" or "18".
void phone_starts(const Scanned& s, Starts& out) {
  const std::string_view t = s.text;
  for (const DigitRun& r : s.runs) {
    const char first = t[r.start], next = r.start + 1 < t.size() ? t[r.start + 1] : '0';
    if (!(first == '0' || (first == '6' && next == '0') ||
          (first == '1' && (!unicode::is_ascii_alnum(static_cast<unsigned char>(next)) || std::string_view("3458").find(next) != std::string_view::npos))))
      continue;
    if (r.start > 0 && t[r.start - 1] == '+') out.push_back(r.start - 1);
    out.push_back(r.start);
  }
}

// ‘http://’ (its "s" may be the long s) and ‘ftp://’ before "://"; ‘www.’;
// an IP address at a run of digits; otherwise a word boundary in the
// letters, digits and dashes before a "." and a letter (a case-blind ASCII
// letter may be the Kelvin sign or the long s; between two ASCII letters
// or digits no boundary falls).
void url_starts(const Scanned& s, Starts& out) {
  const std::string_view t = s.text;
  for (std::size_t p = t.find("://"); p != std::string_view::npos; p = t.find("://", p + 1))
    for (std::size_t back = 3; back <= 6 && back <= p; ++back) out.push_back(p - back);
  auto is_w = [&](std::size_t p) { return (t[p] | 0x20) == 'w'; };
  // The byte length of a character of the class ending at `end`; 0: none.
  auto member_before = [&](std::size_t end) -> std::size_t {
    const auto b = static_cast<unsigned char>(t[end - 1]);
    if (b < 0x80) return unicode::is_ascii_alnum(b) || b == '-' ? 1 : 0;
    if (t.substr(0, end).ends_with("\u212a")) return 3;
    return t.substr(0, end).ends_with("\u017f") ? 2 : 0;
  };
  any_at(t, '.', [&](std::size_t p) {
    if (p >= 3 && is_w(p - 3) && is_w(p - 2) && is_w(p - 1)) out.push_back(p - 3);
    if (p == 0 || p + 1 >= t.size()) return false;
    const auto after = static_cast<unsigned char>(t[p + 1]);
    if (after < 0x80 && !unicode::is_ascii_letter(after)) return false;
    std::size_t q = p, n = 0;
    bool plain_after = false;  // the character at q is an ASCII letter or digit
    for (; q > 0 && (n = member_before(q)) != 0; q -= n) {
      const bool plain = n == 1 && t[q - 1] != '-';
      if (q < p && !(plain && plain_after)) out.push_back(q);
      plain_after = plain;
    }
    if (q < p) out.push_back(q);
    return false;
  });
  for (const DigitRun& r : s.runs)
    if (dotted_digits(t, r.end)) out.push_back(r.start);
}

// For kinds whose match starts at the run the check looks at (a word
// boundary or a look-behind refusing a digit before it): those runs.
template <bool (*At)(std::string_view, const DigitRun&)>
void runs_at(const Scanned& s, Starts& out) {
  for (const DigitRun& r : s.runs)
    if (At(s.text, r)) out.push_back(r.start);
}

// ---- the kinds ----

template <const regex::LazyRegex& re>
const regex::Regex& compiled() {
  return re.get();
}

// One entity kind: what extraction, restoration and the tag filter know of it.
struct Kind {
  EntityKind kind;
  std::string_view tag;  // its name in placeholders and to callers
  const regex::Regex& (*pattern)();
  bool (*may_hold)(const Scanned& text);  // false: the pattern finds nothing in the text
  bool digit;  // every match holds a digit
  void (*starts)(const Scanned& text, Starts& out);  // where a match can start; nullptr: anywhere
  std::string (*speak)(std::string_view text, std::string_view lang);
  std::string_view key = {};    // the option that turns it off; empty: always on
  bool key_at_restore = false;  // off, it is still cut out but put back as written
  bool (*refuse)(std::string_view text, std::size_t start, std::size_t end) = nullptr;  // a match to leave in the text
  std::size_t (*give_back)(std::string_view match) = nullptr;  // trailing bytes not taken
};

// In extraction order: earlier kinds win overlaps, so an e-mail domain is not
// also a URL, an IP address is not a VERSION, a version-shaped date is not a DATE.
constexpr Kind KINDS[] = {
    {EntityKind::EMAIL, "EMAIL", compiled<RE_EMAIL>, may_hold_email, false, nullptr, spoken_email},
    {EntityKind::URL, "URL", compiled<RE_URL>, may_hold_url, false, url_starts, spoken_url, {}, false, nullptr, closing_punctuation},
    {EntityKind::PHONE, "PHONE", compiled<RE_PHONE>, may_hold_phone, true, phone_starts, spoken_digits, {}, false, part_of_decimal},
    {EntityKind::VERSION, "VERSION", compiled<RE_VERSION>, may_hold_version, true, runs_at<dotted_after>, spoken_version},
    {EntityKind::CURRENCY, "CURRENCY", compiled<RE_CURRENCY>, may_hold_currency, false, currency_starts, spoken_currency, {}, false, amount_goes_on},
    {EntityKind::DATE, "DATE", re_date, may_hold_date, true, date_starts, spoken_date, "dates", true, not_a_calendar_date},
    {EntityKind::TIME, "TIME", re_time, may_hold_time, true, time_starts, spoken_time, "times", true},
    {EntityKind::TEMPERATURE, "TEMPERATURE", compiled<shared::RE_TEMPERATURE>, may_hold_temperature, true, nullptr, shared::speak_temperature, "temperature"},
    {EntityKind::ADDRESS_SLASH, "ADDRESS_SLASH", compiled<RE_ADDRESS_SLASH>, may_hold_slash, true, nullptr, spoken_address_slash, "fractions"},
    {EntityKind::FRACTION, "FRACTION", compiled<shared::RE_FRACTION>, may_hold_slash, true, runs_at<slash_after>, shared::speak_fraction, "fractions"},
    {EntityKind::X_KALI, "X_KALI", compiled<shared::RE_X_KALI>, may_hold_letter<'x'>, true, nullptr, shared::speak_x_kali, "x_kali"},
    {EntityKind::IC, "IC", compiled<RE_IC>, any_run_at<six_digits>, true, runs_at<six_digits>, spoken_digits, "ic", false, part_of_decimal},
    {EntityKind::HARI_BULAN, "HARI_BULAN", compiled<shared::RE_HARI_BULAN>, may_hold_letter<'h', 'b'>, true, runs_at<letter_after<'h', 'b'>>, shared::speak_hari_bulan, "hari_bulan"},
    {EntityKind::HIJRI, "HIJRI", compiled<shared::RE_HIJRI>, may_hold_letter<'h'>, true, runs_at<letter_after<'h'>>, shared::speak_hijri, "hijri"},
};

// The row of each kind, by the kind's value; every kind has exactly one.
constexpr auto ROW_OF = [] {
  std::array<std::size_t, std::size(KINDS)> at{};
  std::array<bool, std::size(KINDS)> seen{};
  for (std::size_t i = 0; i < std::size(KINDS); ++i) {
    auto k = static_cast<std::size_t>(KINDS[i].kind);
    if (k >= at.size() || seen[k]) throw "one row per kind";
    for (char c : KINDS[i].tag)
      if (c >= '0' && c <= '9') throw "a placeholder's one digit run is its id";
    at[k] = i;
    seen[k] = true;
  }
  return at;
}();

// An out-of-range value reads as URL.
const Kind& row(EntityKind kind) {
  auto k = static_cast<std::size_t>(kind);
  return KINDS[ROW_OF[k < ROW_OF.size() ? k : static_cast<std::size_t>(EntityKind::URL)]];
}

// Whether the kind's pattern may find something in the text. Only a phone
// number or an identity card can be digits alone; every other kind needs a
// mark, letter or blank.
bool may_hold_kind(const Kind& k, const Scanned& s) {
  if (k.digit && s.runs.empty()) return false;
  if (s.bare && k.kind != EntityKind::PHONE && k.kind != EntityKind::IC) return false;
  return k.may_hold(s);
}

// "<<<" tag "_" id ">>>", built without allocating.
class PlaceholderText {
 public:
  explicit PlaceholderText(const Entity& entity) {
    const std::string_view tag = row(entity.kind).tag;
    char* p = buf_.data();
    p = std::copy_n("<<<", 3, p);
    p = std::copy(tag.begin(), tag.end(), p);
    *p++ = '_';
    id_at_ = static_cast<std::size_t>(p - buf_.data());
    p = std::to_chars(p, buf_.data() + buf_.size(), entity.id).ptr;
    size_ = static_cast<std::size_t>(std::copy_n(">>>", 3, p) - buf_.data());
  }
  std::string_view view() const { return {buf_.data(), size_}; }
  // Where its only digit run, the id, starts (tags hold no digit).
  std::size_t id_at() const { return id_at_; }

 private:
  std::array<char, 48> buf_;  // the longest tag and a 20-digit id fit
  std::size_t size_, id_at_;
};

// ---- restoration helpers ----

bool is_placeholder_inner(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

constexpr std::size_t NONE = static_cast<std::size_t>(-1);

struct Slot {
  std::size_t pos, len;
  std::size_t owner;  // restoration: the entity that takes it
};

// The entity, among `entities` with rising ids, whose placeholder `text` is,
// or NONE. Only that entity's placeholder spells its id, so the id finds the
// one candidate; `hint` (the last answer) is tried first, then the one after
// it, as placeholders mostly stand in the order they were made.
std::size_t owner_of(std::string_view text, const std::vector<Entity>& entities, std::size_t& hint) {
  // "<<<" tag "_" id ">>>", the id as to_chars writes it (no leading zero).
  const std::size_t n = text.size();
  const char* t = text.data();
  if (n < 8 || t[0] != '<' || t[1] != '<' || t[2] != '<' || t[n - 3] != '>' || t[n - 2] != '>' || t[n - 1] != '>')
    return NONE;
  std::size_t underscore = n - 4;
  while (underscore > 3 && t[underscore] >= '0' && t[underscore] <= '9') --underscore;
  if (t[underscore] != '_' || underscore + 4 == n || (t[underscore + 1] == '0' && underscore + 5 != n)) return NONE;
  std::uint64_t id = 0;
  if (std::from_chars(t + underscore + 1, t + n - 3, id).ec != std::errc()) return NONE;  // too large
  std::size_t i;
  if (hint < entities.size() && entities[hint].id == id) {
    i = hint;
  } else if (hint + 1 < entities.size() && entities[hint + 1].id == id) {
    i = hint + 1;
  } else {
    auto it = std::lower_bound(entities.begin(), entities.end(), id,
                               [](const Entity& e, std::uint64_t want) { return e.id < want; });
    if (it == entities.end() || it->id != id) return NONE;
    i = static_cast<std::size_t>(it - entities.begin());
  }
  const std::string_view tag = row(entities[i].kind).tag;
  if (underscore - 3 != tag.size() || std::memcmp(t + 3, tag.data(), tag.size()) != 0) return NONE;
  hint = i;
  return i;
}

bool ids_rise(const std::vector<Entity>& entities) {
  return std::adjacent_find(entities.begin(), entities.end(),
                            [](const Entity& a, const Entity& b) { return a.id >= b.id; }) == entities.end();
}

// Every "<<<" [A-Z0-9_]+ ">>>" in the text, left to right. Such texts can
// never overlap (their inside holds no "<"), so this finds every occurrence
// of every placeholder.
using Slots = FewList<Slot, 8>;

Slots find_slots(std::string_view text) {
  Slots slots;
  std::size_t from = 0;
  while (true) {
    std::size_t p = text.find("<<<", from);
    if (p == std::string_view::npos) break;
    std::size_t q = p + 3;
    while (q < text.size() && is_placeholder_inner(text[q])) ++q;
    if (q > p + 3 && text.substr(q, 3) == ">>>") {
      slots.push_back({p, q + 3 - p, NONE});
      from = q + 3;
    } else {
      // Either a longer run of "<" (the slot may start one later) or no
      // closing ">>>" after the inside run (no slot can start inside it).
      from = q == p + 3 ? p + 1 : q;
    }
  }
  return slots;
}

// A proper prefix of a placeholder: "<", "<<", "<<<", "<<<AB", "<<<AB>", "<<<AB>>".
bool opens_placeholder(std::string_view s) {
  std::size_t k = 0;
  while (k < s.size() && k < 4 && s[k] == '<') ++k;
  if (k == 0 || k > 3) return false;
  if (k == s.size()) return true;
  if (k < 3) return false;
  std::size_t c = k;
  while (c < s.size() && is_placeholder_inner(s[c])) ++c;
  if (c == s.size()) return true;
  if (c == k) return false;
  std::size_t g = c;
  while (g < s.size() && s[g] == '>') ++g;
  return g == s.size() && g - c <= 2;
}

// A proper suffix of a placeholder: ">", ">>", ">>>", "AB>>>", "<AB>>>", "<<AB>>>".
bool closes_placeholder(std::string_view s) {
  std::size_t g = 0;
  while (g < s.size() && g < 4 && s[s.size() - 1 - g] == '>') ++g;
  if (g == 0 || g > 3) return false;
  if (g == s.size()) return true;
  if (g < 3) return false;
  std::size_t c = s.size() - g;
  while (c > 0 && is_placeholder_inner(s[c - 1])) --c;
  if (c == s.size() - g) return false;
  std::size_t k = c;
  while (k > 0 && s[k - 1] == '<') --k;
  return k == 0 && c <= 2;
}

// True when putting `r` in place of a placeholder can never make a new
// placeholder-shaped text, alone or with what stands around it: it has a
// character that cannot belong to one, holds no whole one, and neither ends
// can continue one.
bool inert_replacement(std::string_view r) {
  const bool outside = std::any_of(r.begin(), r.end(), [](char c) { return c != '<' && c != '>' && !is_placeholder_inner(c); });
  // Without "<" or ">" it neither holds, opens nor closes one.
  if (!outside || (r.find('<') == std::string_view::npos && r.find('>') == std::string_view::npos)) return outside;
  if (!find_slots(r).empty()) return false;
  if (std::size_t last = r.rfind('<'); last != std::string_view::npos) {
    for (std::size_t i = last >= 2 ? last - 2 : 0; i <= last; ++i)
      if (opens_placeholder(r.substr(i))) return false;
  }
  if (std::size_t first = r.find('>'); first != std::string_view::npos) {
    for (std::size_t e = first + 1; e <= first + 3 && e <= r.size(); ++e)
      if (closes_placeholder(r.substr(0, e))) return false;
  }
  return true;
}

// Each entity's reading (once asked for) and the slot it takes.
struct Reading {
  std::size_t slot = NONE;
  std::optional<std::string> text;
};
using Readings = FewList<Reading, 8>;

// The rule itself, one search from the start per entity: used only when a
// replacement could create or join placeholder-shaped text.
template <class Replace>
std::string restore_stepwise(std::string_view text, const std::vector<Entity>& entities, Replace& replacement,
                             Readings& readings) {
  std::string out(text);
  for (std::size_t i = entities.size(); i-- > 0;) {
    const PlaceholderText ph(entities[i]);
    std::size_t p = out.find(ph.view());
    if (p == std::string::npos) continue;
    if (!readings[i].text) readings[i].text = replacement(entities[i]);
    out.replace(p, ph.view().size(), *readings[i].text);
  }
  return out;
}

}  // namespace

// ---- kinds and placeholders ----

std::string_view tag_text(EntityKind kind) { return row(kind).tag; }

EntityKind entity_kind_from_tag(std::string_view tag) {
  for (const Kind& k : KINDS)
    if (k.tag == tag) return k.kind;
  return EntityKind::URL;
}

std::string placeholder(const Entity& entity) { return std::string(PlaceholderText(entity).view()); }

bool is_placeholder_of(std::string_view text, const std::vector<Entity>& entities) {
  std::size_t hint = 0;
  return owner_of(text, entities, hint) != NONE;
}

bool detail::may_hold_scale(std::string_view text) { return entities::may_hold_scale(text); }

bool detail::may_hold(EntityKind kind, std::string_view text) {
  const Kind& k = row(kind);
  Scanned scanned;
  scanned.scan(text);
  return may_hold_kind(k, scanned);
}
bool detail::pattern_finds(EntityKind kind, std::string_view text) { return row(kind).pattern().is_match(text); }

std::optional<std::vector<std::size_t>> detail::match_starts(EntityKind kind, std::string_view text) {
  const Kind& k = row(kind);
  if (k.starts == nullptr) return std::nullopt;
  Scanned scanned;
  scanned.scan(text);
  Starts out;
  k.starts(scanned, out);
  return std::vector<std::size_t>(out.begin(), out.end());
}

std::vector<std::size_t> detail::pattern_starts(EntityKind kind, std::string_view text) {
  std::vector<std::size_t> out;
  regex::Captures caps;
  for (std::size_t at = 0; at < text.size() && row(kind).pattern().find_at(text, at, caps);) {
    out.push_back(caps.start(0));
    at = caps.start(0) + 1;
  }
  return out;
}

// ---- extraction ----

namespace {
Extraction extract_walk(std::string&& input, const Options& options, bool fresh_ids, bool carry_runs) {
  Extraction result{std::move(input), {}};
  // Where extraction's own placeholders stand in the working text, so that a
  // later match that swallows one can still be read as it was written.
  struct Placed {
    std::size_t pos, len, entity;
  };
  FewList<Placed, 8> placed, next_placed;
  Scanned scanned;  // the working text's digit runs, carried across each kind's cuts
  bool scanned_current = false;
  RunList next_runs;
  Starts starts;
  std::string next;  // the text a kind's cuts build
  std::uint64_t counter = 1;
  std::unordered_set<std::uint64_t> taken_ids;
  if (fresh_ids) {
    const std::string_view text = result.text;
    for (const Slot& slot : find_slots(text)) {
      std::string_view inner = text.substr(slot.pos + 3, slot.len - 6);
      std::string_view digits = inner.substr(inner.rfind('_') + 1);  // npos + 1 == 0: all of it
      if (digits.empty() || digits.size() > 18 || digits[0] == '0') continue;
      std::uint64_t id = 0;
      for (char c : digits) id = c >= '0' && c <= '9' ? id * 10 + static_cast<std::uint64_t>(c - '0') : 0;
      if (id != 0) taken_ids.insert(id);
    }
  }
  for (std::size_t k = 0; k < std::size(KINDS); ++k) {
    const Kind& step = KINDS[k];
    if (!step.key.empty() && !step.key_at_restore && !options.is_enabled(step.key)) continue;
    if (!scanned_current) scanned.scan(result.text), scanned_current = true;
    if (!may_hold_kind(step, scanned)) continue;
    if (step.starts != nullptr) {
      starts.clear();
      step.starts(scanned, starts);
      if (starts.empty()) continue;
      std::sort(starts.begin(), starts.end());
      starts.truncate(static_cast<std::size_t>(std::unique(starts.begin(), starts.end()) - starts.begin()));
    }
    const regex::Regex* re = &step.pattern();
    const std::size_t cut_before = result.entities.size();

    const std::string& work = result.text;
    next.clear();  // built from the first cut on
    next_placed.clear();
    std::size_t copied = 0, p = 0, r = 0;
    next_runs.clear();
    // Copies work[copied, to), the placeholders and the digit runs standing
    // there. Every copied piece meets a placeholder's '<' or '>' or an end of
    // the text, so no run reaches across pieces: a run wholly inside is kept,
    // the piece of one a cut splits is a run of its own.
    auto copy_until = [&](std::size_t to) {
      for (; p < placed.size() && placed[p].pos + placed[p].len <= to; ++p)
        if (placed[p].pos >= copied)
          next_placed.push_back({next.size() + placed[p].pos - copied, placed[p].len, placed[p].entity});
      const RunList& runs = scanned.runs;
      for (; r < runs.size() && runs[r].end <= copied; ++r) {}
      for (std::size_t i = r; i < runs.size() && runs[i].start < to; ++i) {
        const std::size_t from = std::max(runs[i].start, copied), until = std::min(runs[i].end, to);
        if (from == runs[i].start && until == runs[i].end) {
          next_runs.push_back({next.size() + from - copied, next.size() + until - copied, runs[i].digits});
          r = i + 1;
        } else {
          Scanned::scan_into(std::string_view(work).substr(from, until - from), next.size() + from - copied, next_runs);
        }
      }
      next.append(work, copied, to - copied);
    };
    auto cut = [&](const regex::Captures& caps) {
        std::size_t start = caps.start(0), end = caps.end(0);
        if (step.refuse != nullptr && step.refuse(work, start, end)) return;
        if (step.give_back != nullptr) end -= step.give_back(work.substr(start, end - start));
        if (result.entities.size() == cut_before) next.reserve(work.size() + 16);
        copy_until(start);
        while (taken_ids.contains(counter)) ++counter;
        Entity entity{std::string(work.substr(start, end - start)), counter++, step.kind};
        // ‘http://x.com/?to=<<<EMAIL_1>>>’ is written ‘http://x.com/?to=a@b.com’.
        std::size_t from = start;
        for (; p < placed.size() && placed[p].pos < end; ++p) {
          const Placed& inner = placed[p];
          if (inner.pos < start || inner.pos + inner.len > end) continue;
          const Entity& swallowed = result.entities[inner.entity];
          entity.written.append(work, from, inner.pos - from);
          entity.written += swallowed.written.empty() ? swallowed.text : swallowed.written;
          from = inner.pos + inner.len;
        }
        if (from != start) entity.written.append(work, from, end - from);
        next_placed.push_back({next.size(), 0, result.entities.size()});
        const PlaceholderText ph(entity);
        const std::size_t id_end = ph.view().size() - 3;
        next_runs.push_back({next.size() + ph.id_at(), next.size() + id_end, id_end - ph.id_at()});
        next += ph.view();
        next_placed.back().len = next.size() - next_placed.back().pos;
        result.entities.push_back(std::move(entity));
        copied = end;
    };
    try {
      if (step.starts == nullptr) {
        re->for_each(work, cut);
      } else {
        // Tried in order, each from the end of the last match: the matches a
        // walk finds (none of these patterns matches the empty text).
        regex::Captures caps;
        std::size_t from = 0;
        for (std::size_t at : starts) {
          if (at < from || !re->match_at(work, at, caps)) continue;
          cut(caps);
          from = std::max(caps.end(0), at + 1);
        }
      }
    } catch (const InternalFailure&) {
      // A matching error ends only this kind's scan; what was cut stays.
    }
    if (result.entities.size() == cut_before) continue;
    copy_until(work.size());
    result.text.swap(next);  // the old text's buffer serves the next kind's cuts
    scanned.text = result.text;
    std::swap(scanned.runs, next_runs);
    scanned.index();
    scanned_current = carry_runs;
    std::swap(placed, next_placed);
  }
  return result;
}
}  // namespace

Extraction extract_gated(std::string_view text, const Options& options, bool fresh_ids) {
  return extract_walk(std::string(text), options, fresh_ids, true);
}

Extraction extract_gated(std::string&& text, const Options& options, bool fresh_ids) {
  return extract_walk(std::move(text), options, fresh_ids, true);
}

Extraction detail::extract_rescanning(std::string_view text) {
  return extract_walk(std::string(text), Options{}, false, false);
}

Extraction extract(std::string_view text) { return extract_gated(text, Options{}); }

// ---- restoration ----

namespace {

template <class Replace>
std::string restore_walk(std::string_view text, const std::vector<Entity>& entities, Replace&& replacement) {
  // Walking the entities last to first, each takes the first occurrence of
  // its placeholder still present. As long as no replacement can create or
  // join placeholder-shaped text, the occurrences present at any moment are
  // the original ones minus those taken, so the k-th entity (in walking
  // order) with a given placeholder takes its k-th original occurrence, and
  // the whole text is rebuilt in one pass.
  if (entities.empty()) return std::string(text);
  Slots slots = find_slots(text);
  Readings readings;
  for (std::size_t i = 0; i < entities.size(); ++i) readings.push_back({});
  bool stepwise = false;
  std::size_t size = text.size();
  // A reading that could form placeholder-shaped text ends the one-pass rebuild.
  auto take = [&](std::size_t i, std::size_t s) {
    slots[s].owner = i;
    const std::string& reading = *(readings[i].text = replacement(entities[i]));
    if (!reading.empty() && !inert_replacement(reading)) stepwise = true;
    size += reading.size() - slots[s].len;
  };
  if (ids_rise(entities)) {
    // Every entity has a placeholder of its own: it takes its first occurrence.
    std::size_t hint = 0;
    for (std::size_t s = 0; s < slots.size(); ++s) {
      const std::size_t i = owner_of(text.substr(slots[s].pos, slots[s].len), entities, hint);
      if (i != NONE && readings[i].slot == NONE) readings[i].slot = s;
    }
    for (std::size_t i = entities.size(); i-- > 0 && !stepwise;)
      if (readings[i].slot != NONE) take(i, readings[i].slot);
  } else {
    // Ids repeat: the slots ordered by their text, then by position, so that
    // the occurrences of one placeholder stand together, in text order.
    auto slot_text = [&](std::size_t s) { return text.substr(slots[s].pos, slots[s].len); };
    struct Ordered {
      std::size_t slot, taken = 0;  // taken: at the first of each group, how many are taken
    };
    std::vector<Ordered> order(slots.size());
    for (std::size_t s = 0; s < slots.size(); ++s) order[s].slot = s;
    std::sort(order.begin(), order.end(), [&](const Ordered& a, const Ordered& b) {
      const int c = slot_text(a.slot).compare(slot_text(b.slot));
      return c != 0 ? c < 0 : a.slot < b.slot;
    });
    for (std::size_t i = entities.size(); i-- > 0 && !stepwise;) {
      const PlaceholderText ph(entities[i]);
      const auto first = std::lower_bound(order.begin(), order.end(), ph.view(),
                                          [&](const Ordered& o, std::string_view v) { return slot_text(o.slot) < v; });
      const auto group = static_cast<std::size_t>(first - order.begin());
      const std::size_t next = group + (group < order.size() ? order[group].taken : 0);
      if (next >= order.size() || slot_text(order[next].slot) != ph.view()) continue;
      ++order[group].taken;
      take(i, order[next].slot);
    }
  }

  // An empty replacement joins its neighbours. A new placeholder can only
  // form across such a join when the text before it ends like the start of
  // one ("<<<AB", "<<<AB>>") and the text after it goes on with a character
  // a placeholder may hold ("_1>>>", ">").
  auto filled = [&](std::size_t s) { return slots[s].owner == NONE || !readings[slots[s].owner].text->empty(); };
  for (std::size_t s = 0; s < slots.size() && !stepwise; ++s) {
    if (filled(s)) continue;
    std::size_t start = slots[s].pos, end = start + slots[s].len;
    std::size_t before_from = s > 0 ? slots[s - 1].pos + slots[s - 1].len : 0;
    std::size_t after_to = s + 1 < slots.size() ? slots[s + 1].pos : text.size();
    bool left_open;
    if (before_from == start) {
      left_open = s > 0 && !filled(s - 1);
    } else {
      std::string_view before = text.substr(before_from, start - before_from);
      std::size_t last = before.rfind('<');
      left_open = false;
      if (last != std::string_view::npos)
        for (std::size_t i = last >= 2 ? last - 2 : 0; i <= last && !left_open; ++i)
          left_open = opens_placeholder(before.substr(i));
    }
    bool right_open = after_to == end ? s + 1 < slots.size() && !filled(s + 1)
                                      : text[end] == '<' || text[end] == '>' || is_placeholder_inner(text[end]);
    if (left_open && right_open) stepwise = true;
  }
  if (stepwise) return restore_stepwise(text, entities, replacement, readings);

  std::string out;
  out.reserve(size);
  std::size_t copied = 0;
  for (std::size_t s = 0; s < slots.size(); ++s) {
    if (slots[s].owner == NONE) continue;
    out.append(text.substr(copied, slots[s].pos - copied));
    out += *readings[slots[s].owner].text;
    copied = slots[s].pos + slots[s].len;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace

std::string restore_with(std::string_view text, const std::vector<Entity>& entities,
                         const std::function<std::string(const Entity&)>& replacement) {
  return restore_walk(text, entities, replacement);
}

std::string restore_gated(std::string&& text, const std::vector<Entity>& entities, std::string_view lang,
                          const Options& options) {
  if (entities.empty()) return std::move(text);
  return restore_gated(std::string_view(text), entities, lang, options);
}

std::string restore_gated(std::string_view text, const std::vector<Entity>& entities,
                          std::string_view lang, const Options& options) {
  return restore_walk(text, entities, [&](const Entity& e) {
    const std::string& written = e.written.empty() ? e.text : e.written;
    // With their key off, dates and times come back exactly as written.
    const Kind& k = row(e.kind);
    if (k.key_at_restore && !options.is_enabled(k.key)) return written;
    std::string spoken = k.speak(written, lang);
    // A match that took the blank after it (a time without a period word)
    // gives it back, so its reading does not run into the next word.
    const auto last = static_cast<unsigned char>(written.empty() ? 'x' : written.back());
    if (last < 0x80 && !unicode::is_ascii_blank(last)) return spoken;
    std::string_view core = unicode::trim(written);
    if (!core.empty()) spoken.append(std::string_view(written).substr(core.data() - written.data() + core.size()));
    return spoken;
  });
}

// ---- dispatch ----

std::string convert_to_spoken(const Entity& entity, std::string_view lang) {
  return row(entity.kind).speak(entity.text, lang);
}

Result<std::string> speak_entity(EntityKind kind, std::string_view text, std::string_view language) {
  const langpack::LanguagePack* pack = langpack::try_get_pack(language);
  if (pack == nullptr) return Result<std::string>::err(langpack::unsupported_language(language));
  Entity entity{unicode::ascii_digits(text), 0, kind};  // read as normalize reads it
  return Result<std::string>::ok(convert_to_spoken(entity, pack->code));
}

std::string squash_spaces(std::string_view text) { return unicode::collapse_whitespace(text); }

// ---- URL and e-mail ----

std::string spoken_url(std::string_view text, std::string_view lang) {
  if (shared::is_chinese(lang)) {
    std::string out = speak_scheme(std::string(text), lang == "zh" ? " 冒号斜杠斜杠" : " 冒号 slash slash ");
    out = RE_SPELL_WWW->replace_all(out, [](const regex::Captures&) { return "w w w 点 "; });
    // ‘a-b?x=1’ -> ‘a杠b 问号 x 等于 1’
    static constexpr ByteRows<7> ROWS_ZH = {{
        {".", "点"}, {"/", "斜杠"}, {"-", "杠"}, {"?", " 问号 "}, {"=", " 等于 "}, {"&", " 和 "}, {"*", " 星号 "},
    }};
    out = replace_each<ROWS_ZH>(out);
    // The colon of a port stays; its digits are read like any other run.
    out = RE_SPELL_DIGITS->replace_all(out, [](const regex::Captures& c) { return digit_words_zh(c.group(0)); });
    return squash_spaces(unicode::trim(out));
  }

  const langpack::LanguagePack& pack = langpack::get_pack(lang);
  std::string out = speak_scheme(std::string(text), " colon slash slash ");
  out = RE_SPELL_WWW->replace_all(out, [](const regex::Captures&) { return "w w w dot "; });
  // ‘:8080’ -> ‘ colon eight zero eight zero’
  out = RE_SPELL_PORT->replace_all(out, [&](const regex::Captures& c) {
    return " colon " + shared::spell_digits(c.group(1), pack);
  });
  static constexpr ByteRows<6> ROWS = {{
      {".", " dot "}, {"/", " slash "}, {"-", " dash "}, {"?", " question mark "}, {"=", " equals "}, {"&", " and "},
  }};
  out = replace_each<ROWS>(out);
  if (lang == "en" || lang == "ms") {
    out = unicode::replace_all(out, "*", " ");
    out = unicode::replace_all(out, "!", " ");
  } else {
    out = unicode::replace_all(out, "*", " star ");
  }
  // Digits glued to letters stay glued: ‘abc2’ -> ‘abctwo’.
  out = RE_SPELL_DIGITS->replace_all(out, [&](const regex::Captures& c) { return shared::spell_digits(c.group(0), pack); });
  return squash_spaces(out);
}

std::string spoken_email(std::string_view text, std::string_view lang) {
  const langpack::LanguagePack& pack = langpack::get_pack(lang);
  std::string out(text);
  if (shared::is_chinese(lang)) {
    static constexpr ByteRows<5> ROWS_ZH = {{
        {"@", "艾特"}, {".", "点"}, {"_", "下划线"}, {"+", "加"}, {"-", "杠"},
    }};
    out = replace_each<ROWS_ZH>(out);
  } else {
    // ‘a.b@x.com’ -> ‘a dot b at x dot com’ (the same words in every language)
    static constexpr ByteRows<5> ROWS = {{
        {"@", " at "}, {".", " dot "}, {"_", " underscore "}, {"+", " plus "}, {"-", " dash "},
    }};
    out = replace_each<ROWS>(out);
    // ‘doe99’ -> ‘doe 99’
    out = RE_SPELL_LETTER_DIGIT->replace_all(out, [](const regex::Captures&) { return " "; });
  }
  out = RE_SPELL_DIGITS->replace_all(out, [&](const regex::Captures& c) { return shared::spell_digits(c.group(0), pack); });
  return squash_spaces(out);
}

std::string spoken_digits(std::string_view text, std::string_view lang) {
  const langpack::LanguagePack& pack = langpack::get_pack(lang);
  std::string out;
  for (char c : text) {
    if (c < '0' || c > '9') continue;  // dashes, blanks and non-ASCII digits are skipped
    if (!out.empty()) out += ' ';
    out += pack.speak_digit(static_cast<char32_t>(c));
  }
  return out;
}

// ---- date, time, currency, version, slash address ----

std::string spoken_date(std::string_view text, std::string_view lang) {
  std::optional<DateFields> f = date_fields(text);
  if (!f) return std::string(text);
  u128 year = read_number(f->year);
  u128 day = read_number(f->day);

  // A month without a name (‘13’, ‘00’) stays as written.
  auto month_name = [&](std::span<const words::Row> names) {
    for (const auto& [number, name] : names)
      if (number == f->month_key) return name;
    return f->month;
  };

  std::string out;
  if (lang == "en") {
    out = num2word_en::to_cardinal_en(day);
    out.append(" of ").append(month_name(langpack::get_pack(lang).months)).append(" ");
    out += year >= 1000 && year <= 2099 ? normalize_en::render_year(year) : num2word_en::to_cardinal_en(year);
  } else if (shared::is_chinese(lang)) {
    out = normalize_zh::to_year_zh(year);
    out.append("年").append(month_name(words::zh::MONTHS)).append("月");
    out.append(normalize_zh::to_cardinal_zh(day)).append("日");
  } else {
    out = shared::cardinal_for(day, lang);
    out.append(" ").append(month_name(langpack::get_pack(lang).months)).append(" ");
    out += shared::cardinal_for(year, lang);
  }
  return out;
}

std::string spoken_time(std::string_view text, std::string_view lang) {
  std::optional<regex::Captures> caps = RE_SPELL_TIME->captures(text);
  if (!caps) return std::string(text);
  u128 hour = read_number(caps->group(1));
  u128 minute = read_number(caps->group(2));

  if (shared::is_chinese(lang)) {
    std::string prefix;
    if (caps->matched(4)) {
      std::string period = unicode::to_lower(remove_char(caps->group(4), '.'));
      if (period == "am") prefix = lang == "zh" ? "上午" : "早上";
      else if (period == "pm") prefix = hour >= 7 ? "晚上" : "下午";
    }
    std::string reading = normalize_zh::to_cardinal_zh(hour) + "点";
    if (minute != 0 || caps->matched(3)) reading += normalize_zh::to_cardinal_zh(minute) + "分";
    if (caps->matched(3)) reading += normalize_zh::to_cardinal_zh(read_number(caps->group(3))) + "秒";
    return prefix + reading;
  }

  std::string out = shared::cardinal_for(hour, lang);
  out += ' ';
  out += shared::cardinal_for(minute, lang);
  if (caps->matched(3)) out.append(" ").append(shared::cardinal_for(read_number(caps->group(3)), lang));
  if (caps->matched(4)) {
    std::string_view period = caps->group(4);
    out += ' ';
    if (ascii_iequals(period, "am") || ascii_iequals(period, "a.m.")) {
      out += lang == "en" ? "a m" : "pagi";
    } else if (ascii_iequals(period, "pm") || ascii_iequals(period, "p.m.")) {
      out += lang == "en" ? "p m" : lang == "id" ? "sore" : "petang";
    } else if (lang != "en") {
      // Local period words are kept as written; English drops them.
      out += unicode::trim(period);
    }
  }
  return out;
}

std::string spoken_currency(std::string_view input, std::string_view lang) {
  const bool zh = shared::is_chinese(lang);
  // A scale suffix counts: ‘RM5K’ is five thousand (M is left alone in
  // Indonesian, where it means miliar).
  std::string expanded;
  if (may_hold_scale(input))
    expanded = lang == "id" ? normalize::expand_suffixes_no_m(input) : normalize::expand_all_currency_suffixes(input);
  const std::string_view text = expanded.empty() ? input : expanded;
  std::optional<regex::Captures> caps = (zh ? RE_SPELL_MONEY_ZH : RE_SPELL_MONEY)->captures(text);
  if (!caps) return std::string(input);
  const std::string code = unicode::to_upper(caps->group(1));
  // A comma is never a decimal mark here (‘1,50’ is 150), but in Indonesian.
  std::string amount = lang == "id" ? normalize_id::amount_digits(caps->group(2)) : remove_char(caps->group(2), ',');
  std::size_t dot = amount.find('.');
  std::string_view whole = std::string_view(amount).substr(0, dot);
  std::string fraction = dot == std::string::npos ? std::string() : amount.substr(dot + 1);
  if (unicode::char_count(fraction) == 1) fraction += '0';  // ‘.5’ means fifty
  // More decimals than cents: one decimal number, read as the language
  // passes read one (‘$20.500’ -> ‘twenty point five zero zero dollar’).
  const bool decimal = unicode::char_count(fraction) > 2;

  if (zh) {
    // "zh" and "zh_my" each read their own words.
    const bool mainland = lang == "zh";
    const words::CurrencyRow* row = words::find_currency(mainland ? words::zh::MONEY : words::zh::MONEY_MY, code);
    if (row == nullptr) row = mainland ? &words::zh::MONEY_DEFAULT : &words::zh::MONEY_MY_DEFAULT;
    std::string out = normalize_zh::to_cardinal_zh_text(whole);
    if (decimal) out.append("点").append(shared::zh_fraction(fraction));
    out.append(row->major);
    if (!decimal && !fraction.empty() && fraction != "00")
      out.append(normalize_zh::to_cardinal_zh(read_number(fraction))).append(row->minor);
    return out;
  }

  // The pack's own money rows first, then the shared ones.
  std::string_view major = code, minor = words::ENTITY_MINOR_DEFAULT;
  if (const words::CurrencyRow* row = words::find_currency(words::ENTITY_MONEY, code)) {
    major = row->major;
    minor = row->minor;
  }
  const langpack::LanguagePack& pack = langpack::get_pack(lang);
  if (auto it = pack.currencies.find(code); it != pack.currencies.end()) {
    major = it->second.first;
    minor = it->second.second;
  }
  std::string out;
  // ‘$.5’ as ‘$0.5’: the cents alone
  if (decimal || fraction.empty() || !(whole.empty() || whole == "0")) {
    out = shared::cardinal_text(whole, lang);
    out += ' ';
  }
  if (decimal) {
    out.append(shared::decimal_word(lang)).append(" ").append(shared::spaced_fraction(fraction, lang)).append(" ");
    out.append(major);
  } else if (fraction.empty()) {
    out.append(major);
  } else {
    if (!out.empty()) out.append(major).append(" ");
    out.append(shared::cardinal_for(read_number(fraction), lang)).append(" ").append(minor);
  }
  return out;
}

std::string spoken_version(std::string_view text, std::string_view lang) {
  std::string out;
  std::size_t start = 0;
  while (true) {
    std::size_t dot = text.find('.', start);
    if (start > 0) out += " point ";
    out += shared::cardinal_text(text.substr(start, dot == std::string_view::npos ? dot : dot - start), lang);
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  return out;
}

std::string spoken_address_slash(std::string_view text, std::string_view lang) {
  std::optional<regex::Captures> caps;
  try {
    caps = RE_SPELL_ADDRESS_SLASH->captures(text);
  } catch (const InternalFailure&) {
    return std::string(text);
  }
  if (!caps) return std::string(text);
  const langpack::LanguagePack& pack = langpack::get_pack(lang);

  // ‘SS’ -> ‘S S’
  std::string letters;
  std::string_view g2 = caps->group(2);
  for (std::size_t pos = 0; pos < g2.size();) {
    if (pos > 0) letters += ' ';
    letters += unicode::upper_char(unicode::decode(g2, pos));
  }
  // ‘24’ -> ‘two four’; a non-ASCII digit is kept as it is.
  auto number = [&](std::string_view digits) {
    std::string out;
    for (std::size_t pos = 0; pos < digits.size();) {
      if (pos > 0) out += ' ';
      char32_t c = unicode::decode(digits, pos);
      out += unicode::is_ascii_digit(c) ? pack.speak_digit(c) : unicode::upper_char(c);
    }
    return out;
  };
  std::string out(caps->group(1));
  // The word between the street word and the number (‘Jalan Ampang 5/3’) is
  // part of the name: it is kept as written rather than dropped.
  out += text.substr(caps->end(1), caps->start(2) - caps->end(1));
  out += letters;
  out += ' ';
  out += number(caps->group(3));
  out += " slash ";
  out += number(caps->group(4));
  return squash_spaces(out);
}

}  // namespace kalvesta::entities
