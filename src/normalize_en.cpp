// English normaliser: ordered rule passes that read numbers, dates, money and
// times as English words, then contractions, titles and the company suffix;
// plus two passes every language runs: pronunciation overrides and acronyms.
#include "normalize_en.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "lang/words.h"
#include "normalize.h"
#include "num2word_en.h"
#include "pron.h"
#include "regex.h"
#include "rules.h"
#include "stash.h"
#include "unicode.h"

namespace kalvesta::normalize_en {
namespace {

using regex::Captures;
using regex::LazyRegex;
using regex::Regex;

using rules::RE_DATE;
constinit LazyRegex RE_CURRENCY{
    R"((?i)(?<![^\W\p{Ideographic}])(RM|\$|£|€|USD|EUR|GBP|MYR)\s?([\d,]+(?:[\.,]\d+)?|\.\d+)(?:\s+(million|billion|trillion|thousand)s?\b|\s?([千百万亿兆]+)|\b))"};

// The time pass refuses a time with a "%" later on its line. Left in the
// pattern, that look-ahead rescans the rest of the line for every time found
// (quadratic on long lines, and a blank-joined text is one line), so the
// compiled pattern stops before it and the pass tests for "%" with a cursor.
constexpr std::string_view TIME_NO_MERIDIAN_TEXT =
    R"((?i)\b(\d{1,2}):(\d{2})(?::(\d{2}))?\b(?!:\d)(?!\s*(?:am|pm|a\.m\.|p\.m\.))(?!.*%))";
constinit LazyRegex RE_TIME_NO_MERIDIAN{TIME_NO_MERIDIAN_TEXT};
constinit LazyRegex RE_TIME_NO_MERIDIAN_HEAD{rules::without_percent_guard(TIME_NO_MERIDIAN_TEXT)};

constinit LazyRegex RE_TIME{R"((?i)\b(\d{1,2})[:\.](\d{2})(?::(\d{2}))?\s*(?:(am|pm|a\.m\.|p\.m\.)))"};
constinit LazyRegex RE_TIME_HOUR_ONLY{R"((?i)\b(\d{1,2})\s*(am|pm|a\.m\.|p\.m\.)\b)"};
using rules::RE_PERCENT;
using rules::RE_DECIMAL;
using rules::RE_DASHED;
constinit LazyRegex RE_ORDINAL{R"((?i)\b(\d{1,3}(?:,\d{3})+|\d+)(st|nd|rd|th)\b)"};
using rules::RE_COMMA_NUM;
using rules::RE_NUMBER;
using rules::RE_ALNUM;

// Company suffix; the pronunciation overrides end with the same pattern.
constinit LazyRegex RE_SDN_BHD{R"((?i)\bsdn\.?\s+bhd\b\.?)"};

// Contractions use the ASCII apostrophe only; later rows see the output of
// earlier ones, so ‘he'd've’ goes through "he'd" and then "would've".
constexpr std::array<std::pair<std::string_view, std::string_view>, 73> CONTRACTIONS = {{
    {"I'm", "I am"}, {"I've", "I have"}, {"I'll", "I will"}, {"I'd", "I would"},
    {"you're", "you are"}, {"you've", "you have"}, {"you'll", "you will"}, {"you'd", "you would"},
    {"he's", "he is"}, {"he'll", "he will"}, {"he'd", "he would"},
    {"she's", "she is"}, {"she'll", "she will"}, {"she'd", "she would"},
    {"it's", "it is"}, {"it'll", "it will"}, {"it'd", "it would"},
    {"we're", "we are"}, {"we've", "we have"}, {"we'll", "we will"}, {"we'd", "we would"},
    {"they're", "they are"}, {"they've", "they have"}, {"they'll", "they will"}, {"they'd", "they would"},
    {"that's", "that is"}, {"that'll", "that will"}, {"that'd", "that would"},
    {"there's", "there is"}, {"there'll", "there will"}, {"there'd", "there would"},
    {"who's", "who is"}, {"who'll", "who will"}, {"who'd", "who would"},
    {"what's", "what is"}, {"what'll", "what will"}, {"what'd", "what would"},
    {"where's", "where is"}, {"where'll", "where will"}, {"where'd", "where would"},
    {"when's", "when is"}, {"when'll", "when will"}, {"when'd", "when would"},
    {"why's", "why is"}, {"why'll", "why will"}, {"why'd", "why would"},
    {"how's", "how is"}, {"how'll", "how will"}, {"how'd", "how would"},
    {"isn't", "is not"}, {"aren't", "are not"}, {"wasn't", "was not"}, {"weren't", "were not"},
    {"hasn't", "has not"}, {"haven't", "have not"}, {"hadn't", "had not"},
    {"doesn't", "does not"}, {"don't", "do not"}, {"didn't", "did not"},
    {"won't", "will not"}, {"wouldn't", "would not"}, {"shan't", "shall not"},
    {"shouldn't", "should not"}, {"can't", "cannot"}, {"couldn't", "could not"},
    {"mustn't", "must not"}, {"should've", "should have"}, {"would've", "would have"},
    {"could've", "could have"}, {"shall've", "shall have"}, {"will've", "will have"},
    {"might've", "might have"}, {"must've", "must have"},
}};

// Abbreviations read only when a full stop follows them directly.
constexpr std::array<std::pair<std::string_view, std::string_view>, 18> TITLES = {{
    {"mrs", "misess"}, {"mr", "mister"}, {"dr", "doctor"}, {"st", "saint"},
    {"co", "company"}, {"jr", "junior"}, {"maj", "major"}, {"gen", "general"},
    {"drs", "doctors"}, {"rev", "reverend"}, {"lt", "lieutenant"}, {"hon", "honorable"},
    {"sgt", "sergeant"}, {"capt", "captain"}, {"esq", "esquire"}, {"ltd", "limited"},
    {"col", "colonel"}, {"ft", "fort"},
}};

// ---- small readers ----

std::string cardinal(u128 n) { return num2word_en::to_cardinal_en(n); }

// Any character but an ASCII digit reads as "zero".
std::string_view digit_word(char32_t c) { return lang::en::DIGITS[unicode::is_ascii_digit(c) ? c - U'0' : 0]; }

// ‘07’ -> ‘zero seven’
std::string digit_by_digit(std::string_view text) {
  // Written in place: every character gives a word of at most five letters
  // and a blank.
  std::string out(text.size() * 6, ' ');
  char* at = out.data();
  for (std::size_t pos = 0; pos < text.size();) {
    if (pos != 0) ++at;
    const auto b = static_cast<unsigned char>(text[pos]);
    const std::string_view word = b < 0x80 ? digit_word(text[pos++]) : digit_word(unicode::decode(text, pos));
    for (const char ch : word) *at++ = ch;
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
  return out;
}

// Grouped digits as one cardinal; past 128 bits digit by digit, never zero.
std::string cardinal_of(std::string_view digits) {
  std::string plain(digits);
  std::erase(plain, ',');
  if (const auto v = parse_u128(plain)) return cardinal(*v);
  return all_ascii_digits(plain) ? digit_by_digit(plain) : cardinal(0);
}

std::string join(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view p : parts) {
    if (!out.empty()) out.push_back(' ');
    out.append(p);
  }
  return out;
}

// ---- number, date, money and time passes ----

// ‘25/12/99’ -> ‘twenty-fifth of December, ninety-nine’
std::string read_date(const Captures& c) {
  if (!rules::is_day_and_month(parse_num(c[1]), parse_num(c[2]))) return std::string(c[0]);
  std::string_view month = c[2];
  std::string_view key = month.substr(std::min(month.find_first_not_of('0'), month.size()));
  std::string_view name = month;  // an unknown month stays as written
  for (const auto& [k, v] : lang::en::MONTHS)
    if (k == key) name = v;
  std::string out = num2word_en::ordinal_word(static_cast<std::uint64_t>(parse_num(c[1])));
  out += " of ";
  out.append(name);
  out += ", ";
  out += cardinal_of(c[3]);
  return out;
}

// ‘GBP 2.50’ -> ‘two pound fifty pence’; ‘$5.00 million’ -> ‘five point zero zero million dollar’;
// ‘$20.500’ -> ‘twenty point five zero zero dollar’
std::string read_money(const Captures& c) {
  const std::string key = unicode::to_upper(c[1]);
  // Every code the pattern admits has a row; an odd case fold reads as ringgit.
  const lang::CurrencyRow* unit = lang::find_currency(lang::ENTITY_MONEY, key);
  if (unit == nullptr) unit = lang::find_currency(lang::ENTITY_MONEY, "RM");
  std::string amount;
  for (char ch : c[2])
    if (ch != ',') amount.push_back(ch);
  // A run of bare commas carries no amount at all: leave it as written
  // rather than reading "zero".
  if (amount.empty()) return std::string(c[0]);
  const std::size_t dot = amount.find('.');
  const std::string_view whole = std::string_view(amount).substr(0, dot);
  const std::string_view fraction = dot == std::string::npos ? std::string_view{} : std::string_view(amount).substr(dot + 1);
  // A scaled amount, or one with more decimals than cents, is one decimal number.
  if (c.matched(3) || c.matched(4) || unicode::char_count(fraction) > 2) {
    const std::string scale = c.matched(4) ? std::string(c[4]) : unicode::to_lower(c[3]);
    if (dot == std::string::npos) return join({cardinal_of(amount), scale, unit->major});
    return join({cardinal_of(whole), "point", digit_by_digit(fraction), scale, unit->major});
  }
  if (dot == std::string::npos) return join({cardinal_of(amount), unit->major});
  std::string cents(fraction);
  if (unicode::char_count(cents) == 1) cents.push_back('0');
  if (cents == "00") return join({cardinal_of(whole), unit->major});
  return join({cardinal_of(whole), unit->major, cardinal_of(cents), unit->minor});
}

// Hour, minutes unless 0; with seconds all three: ‘1:00:05’ -> ‘one zero five’
std::string clock_words(const Captures& c) {
  const u128 m = parse_num(c[2]);
  if (c.matched(3)) return join({cardinal_of(c[1]), cardinal(m), cardinal_of(c[3])});
  if (m != 0) return join({cardinal_of(c[1]), cardinal(m)});
  return cardinal_of(c[1]);
}

// ‘9:05’ -> ‘nine five’, ‘0:00’ -> ‘midnight’, ‘12:00’ -> ‘noon’
std::string read_time_no_meridian(const Captures& c) {
  const u128 h = parse_num(c[1]), m = parse_num(c[2]);
  if (!c.matched(3) && h == 0 && m == 0) return "midnight";
  if (!c.matched(3) && h == 12 && m == 0) return "noon";
  return clock_words(c);
}

// ‘7:30pm’ -> ‘seven thirty p m’, ‘7:00 PM’ -> ‘seven p m’
std::string read_time(const Captures& c) {
  return join({clock_words(c), unicode::to_lower(c[4]).substr(0, 1) + " m"});
}

// ‘11 am’ -> ‘eleven a m’
std::string read_hour_only(const Captures& c) {
  std::string meridian;
  for (char ch : unicode::to_lower(c[2]))
    if (ch != '.') meridian.push_back(ch);
  return join({cardinal_of(c[1]), meridian == "am" ? "a m" : "p m"});
}

// ‘12.5%’ -> ‘twelve point five percent’
std::string read_percent(const Captures& c) {
  std::string_view n = c[1];
  const std::size_t dot = n.find('.');
  if (dot == std::string_view::npos) return cardinal_of(n) + " percent";
  const std::string whole = dot == 0 ? std::string() : cardinal_of(n.substr(0, dot));  // none in ‘.5%’
  return join({whole, "point", digit_by_digit(n.substr(dot + 1)), "percent"});
}

// ‘3.14’ -> ‘three point one four’
std::string read_decimal(const Captures& c) {
  return join({c[1].empty() ? std::string() : cardinal_of(c[1]), "point", digit_by_digit(c[2])});
}

// ‘+60-123’ -> ‘plus six zero dash one two three’; other digits give empty words
std::string read_dashed(const Captures& c) {
  std::string_view g = c[1];
  std::string out;
  std::size_t pos = 0;
  bool first = true;
  while (pos < g.size()) {
    const char32_t ch = unicode::decode(g, pos);
    if (!first) out.push_back(' ');
    first = false;
    if (ch == U'+') out += "plus";
    else if (ch == U'-') out += "dash";
    else if (unicode::is_ascii_digit(ch)) out += digit_word(ch);
  }
  return out;
}

// ‘21st’ -> ‘twenty-first’, ‘1,000th’ -> ‘one thousandth’ (the suffix is not
// checked against the number)
std::string read_ordinal(const Captures& c) {
  std::string digits(c[1]);
  std::erase(digits, ',');
  if (!parse_u128(digits)) {  // past 128 bits: the digits, then the suffix's letters
    std::string out = cardinal_of(digits);
    for (char ch : c[2]) out.append(" ").push_back(static_cast<char>(ch & ~0x20));
    return out;
  }
  const u128 n = parse_num(digits), last_two = n % 100;
  if (n == last_two) return num2word_en::ordinal_word(static_cast<std::uint64_t>(n));
  std::string words = cardinal(n);
  if (last_two == 0) return words + "th";  // hundredth, thousandth, millionth
  // The cardinal ends with the words of its last two digits.
  words.resize(words.size() - cardinal(last_two).size());
  return words + num2word_en::ordinal_word(static_cast<std::uint64_t>(last_two));
}

// ‘1,234’ -> ‘one thousand, two hundred and thirty-four’
std::string read_grouped(const Captures& c) { return cardinal_of(c[0]); }

// ‘12345’ -> digit by digit, ‘2024’ -> ‘twenty twenty-four’, ‘2100’ -> cardinal
std::string read_digits(std::string_view digits) {
  if (digits.size() > 4) return digit_by_digit(digits);
  const u128 n = parse_num(digits);
  if (digits.size() == 4 && n >= 1000 && n <= 2099) return render_year(n);
  return cardinal(n);
}
std::string read_number(const Captures& c) { return read_digits(c[0]); }

// ‘mp3’ -> ‘M P three’; a token holding a stash key is left for the key's sake
std::string read_alnum(const Captures& c) {
  std::string_view token = c[0];
  if (stash::holds_key(token)) return std::string(token);
  return mixed_alnum_en(token);
}

using rules::Pass;
using rules::kDigitBlank;
using rules::kDigitMarkDigit;
using rules::kDigitWord;
using rules::kDotDigit;

// The number passes, in order; the time pass checks its "%" refusal in one
// walk, and the dashed-digits pass is tried at the starts of digit runs only.
const Pass PASSES[] = {
    {.re = rules::RE_ZERO_COMMA, .read = rules::zero_point, .near = kDigitMarkDigit},  // ‘0,001’ -> ‘0.001’
    {.re = RE_DATE, .read = read_date, .near = kDigitMarkDigit},  // ‘05/03/24’ -> ‘fifth of March, twenty-four’
    // ‘RM5.50’ -> ‘five ringgit fifty cent’; the walk finds the codes, and
    // every amount holds a digit or a comma.
    {RE_CURRENCY, read_money, nullptr, rules::replace_after_codes, rules::needs_of(R"([\d,])")},
    {.re = RE_TIME_NO_MERIDIAN, .read = read_time_no_meridian, .head = &RE_TIME_NO_MERIDIAN_HEAD, .near = kDigitMarkDigit},  // ‘9:05’ -> ‘nine five’
    {.re = RE_TIME, .read = read_time, .near = kDigitMarkDigit},  // ‘10.15 a.m.’ -> ‘ten fifteen a m’
    {.re = RE_TIME_HOUR_ONLY, .read = read_hour_only, .near = kDigitWord},  // ‘7pm’ -> ‘seven p m’
    {.re = rules::RE_GROUPED_DECIMAL, .read = rules::ungrouped, .near = kDigitMarkDigit | kDotDigit},  // ‘7,654.32’ -> ‘7654.32’
    {RE_PERCENT, read_percent},           // ‘50%’ -> ‘fifty percent’
    {.re = RE_DECIMAL, .read = read_decimal, .near = kDotDigit},  // ‘3.14’ -> ‘three point one four’, ‘.5’ -> ‘point five’
    {RE_DASHED, read_dashed, nullptr, rules::replace_at_digit_runs},  // ‘2020-2021’ -> ‘two zero two zero dash two zero two one’
    {.re = RE_ORDINAL, .read = read_ordinal, .near = kDigitWord},  // ‘2nd’ -> ‘second’
    {.re = rules::RE_GROUPED_ALNUM, .read = rules::ungrouped, .near = kDigitMarkDigit},  // ‘1,000km2’ -> ‘1000km2’
    {.re = RE_COMMA_NUM, .read = read_grouped, .near = kDigitMarkDigit},  // ‘10,000’ -> ‘ten thousand’
    {RE_NUMBER, read_number},             // ‘1999’ -> ‘nineteen ninety-nine’
    {RE_ALNUM, read_alnum, nullptr, rules::replace_words_with_digits},  // ‘x86_64’ -> ‘X eight six six four’
};

// ---- contractions, titles and the company suffix ----

// A table of word rows, each matched case-insensitively as "\b", its word
// and `after`, where the word holds a `mark` or ends just before one. A row
// can match only at a mark in the text with the row's letters before it (and
// after it) written there up to ASCII case; the rows are indexed by the
// letters beside their mark, so a text is checked in one walk over its
// marks. The Kelvin sign and the long s match "k" and "s": a text holding
// either and a mark lets every row through. Each row's pattern is compiled
// the first time a text lets the row through (most never are); a row whose
// pattern does not compile stays empty.
template <std::size_t N>
class MarkedRows {
  static_assert(N <= 128);

 public:
  using Rows = std::array<std::pair<std::string_view, std::string_view>, N>;
  // Row numbers, one bit each.
  using Set = std::array<std::uint64_t, 2>;

  MarkedRows(const Rows& rows, char mark, std::string_view after) : rows_(rows), mark_(mark), after_(after) {
    for (std::size_t i = 0; i < N; ++i) {
      const std::string_view head = this->head(i), tail = this->tail(i);
      const int a = head.empty() ? -1 : letter(head.back());
      const int b = tail.empty() ? kNone : letter(tail.front());
      Set& set = a < 0 || b < 0 ? anywhere_ : by_letters_[a][b];
      set[i / 64] |= std::uint64_t{1} << (i % 64);
    }
  }

  // The rows that may match in `text`.
  Set may_match(std::string_view text) const {
    Set out{};
    std::size_t m = text.find(mark_);
    if (m == std::string_view::npos) return out;
    if (text.find("\u212A") != std::string_view::npos || text.find("\u017F") != std::string_view::npos) {
      for (std::size_t i = 0; i < N; ++i) out[i / 64] |= std::uint64_t{1} << (i % 64);
      return out;
    }
    out = anywhere_;
    for (; m != std::string_view::npos; m = text.find(mark_, m + 1)) {
      const int a = m > 0 ? letter(text[m - 1]) : -1;
      if (a < 0) continue;
      const int b = m + 1 < text.size() ? letter(text[m + 1]) : -1;
      for (std::size_t w = 0; w < 2; ++w) {
        std::uint64_t left = (by_letters_[a][kNone][w] | (b < 0 ? 0 : by_letters_[a][b][w])) & ~out[w];
        for (; left != 0; left &= left - 1) {
          const std::size_t i = 64 * w + static_cast<std::size_t>(std::countr_zero(left));
          if (stands_at(text, m, i)) out[w] |= std::uint64_t{1} << (i % 64);
        }
      }
    }
    return out;
  }

  const Regex* pattern(std::size_t i) const {
    std::call_once(once_[i], [&] {
      re_[i] = Regex::try_compile("(?i)\\b" + regex::escape(rows_[i].first) + std::string(after_));
    });
    return re_[i].get();
  }

 private:
  static constexpr int kNone = 26;  // a row without letters after its mark
  static int letter(char c) {
    const int lower = c | 0x20;
    return lower >= 'a' && lower <= 'z' ? lower - 'a' : -1;
  }
  std::string_view head(std::size_t i) const { return rows_[i].first.substr(0, split(i)); }
  std::string_view tail(std::size_t i) const {
    const std::string_view row = rows_[i].first;
    return split(i) < row.size() ? row.substr(split(i) + 1) : std::string_view{};
  }
  std::size_t split(std::size_t i) const { return std::min(rows_[i].first.find(mark_), rows_[i].first.size()); }
  bool stands_at(std::string_view text, std::size_t m, std::size_t i) const {
    const std::string_view head = this->head(i), tail = this->tail(i);
    return m >= head.size() && same_letters(text.substr(m - head.size(), head.size()), head) &&
           same_letters(text.substr(m + 1, tail.size()), tail);
  }
  static bool same_letters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i] == b[i]) continue;
      const char lower = static_cast<char>(b[i] | 0x20);
      if (lower < 'a' || lower > 'z' || (a[i] | 0x20) != lower) return false;
    }
    return true;
  }

  const Rows& rows_;
  char mark_;
  std::string_view after_;
  std::array<std::array<Set, kNone + 1>, 26> by_letters_{};
  Set anywhere_{};  // rows without a letter beside their mark, tried at any mark
  mutable std::array<std::once_flag, N> once_;
  mutable std::array<std::unique_ptr<Regex>, N> re_;
};

const MarkedRows<73>& contraction_rows() {
  static const MarkedRows<73> rows(CONTRACTIONS, '\'', "\\b");
  return rows;
}

const MarkedRows<18>& title_rows() {
  static const MarkedRows<18> rows(TITLES, '.', "\\.");
  return rows;
}

// Every row the text may hold, each over the output of the rows before it,
// by what read(word, captures) makes of its matches.
template <std::size_t N, class Read>
std::string expand_rows(std::string text, const MarkedRows<N>& rows,
                        const std::array<std::pair<std::string_view, std::string_view>, N>& table, Read read) {
  auto may = rows.may_match(text);
  std::string next;
  for (std::size_t w = 0; w < 2; ++w) {
    while (may[w] != 0) {
      const std::size_t i = 64 * w + static_cast<std::size_t>(std::countr_zero(may[w]));
      may[w] &= may[w] - 1;
      const Regex* re = rows.pattern(i);
      const std::string_view word = table[i].second;
      if (re == nullptr || !rules::replace_into(text, *re, next, [&](const Captures& c) { return read(word, c); }))
        continue;
      text.swap(next);
      // The rows after this one look at the new text.
      may = rows.may_match(text);
      may[w] &= ~std::uint64_t{0} << (i % 64) << 1;
      if (w == 1) may[0] = 0;
    }
  }
  return text;
}

// ‘Don't’ -> ‘do not’: the expansion's own letter case, whatever was written;
// later rows read the expansions (‘he would've’ from ‘he'd've’).
std::string expand_contractions(std::string text) {
  return expand_rows(std::move(text), contraction_rows(), CONTRACTIONS,
                     [](std::string_view word, const Captures&) { return word; });
}

// ‘Mr. Tan’ -> ‘mister Tan’. The full stop is consumed; when a word follows
// it directly a space keeps the two apart (‘Dr.Lee’ -> ‘doctor Lee’).
std::string expand_titles(std::string text) {
  return expand_rows(std::move(text), title_rows(), TITLES, [](std::string_view word, const Captures& c) {
    std::string out(word);
    std::string_view rest = c.subject().substr(c.end(0));
    std::size_t pos = 0;
    if (!rest.empty() && unicode::is_word_char(unicode::decode(rest, pos))) out.push_back(' ');
    return out;
  });
}

// ---- pronunciation overrides ----

struct Override {
  LazyRegex re;
  std::string_view replacement;
  std::string_view unit;  // every match holds it, up to ASCII case
};

// Whole words read another way, matched as the caller's pronunciation pairs
// are, each row over the output of the rows before it.
const std::vector<PronunciationPair>& override_words() {
  static const std::vector<PronunciationPair> WORDS = {
      {"twenty-three", "twenty tree"},    // ‘Twenty-Three’ -> ‘twenty tree’
      {"three", "three"},                 // ‘THREE’ -> ‘three’
      {"twenty-eight", "twenty, eight"},  // ‘twenty-eight’ -> ‘twenty, eight’
      {"cut-off", "kad off"},             // ‘Cut-off’ -> ‘kad off’
      {"eighty-eight", "eighty eight"},   // ‘eighty-eight’ -> ‘eighty eight’
      {"Number", "number"},               // ‘NUMBER’ -> ‘number’
      {"a/l", "anak lelaki"},             // ‘a/l’ -> ‘anak lelaki’
      {"a/p", "anak perempuan"},          // ‘A/P’ -> ‘anak perempuan’
      {"1Malaysia", "satu malaysia"},     // ‘1Malaysia’ -> ‘satu malaysia’
  };
  return WORDS;
}

// The whole number before a unit is kept, its decimal comma written as a
// point (‘1,5 kg’ -> ‘1.5 kilogram’); the unit becomes its word.
constinit const Override UNIT_REWRITES[] = {
    {LazyRegex{R"((?i)(?<!\d)(\d+(?:,\d{3})*)(?:[.,](\d+))?\s*mg\b)"}, "milligram", "mg"},  // ‘10mg’ -> ‘10 milligram’
    {LazyRegex{R"((?i)(?<!\d)(\d+(?:,\d{3})*)(?:[.,](\d+))?\s*kg\b)"}, "kilogram", "kg"},   // ‘5 KG’ -> ‘5 kilogram’
    {LazyRegex{R"((?i)(?<!\d)(\d+(?:,\d{3})*)(?:[.,](\d+))?\s*GB\b)"}, "gigabyte", "gb"},   // ‘64gb’ -> ‘64 gigabyte’
};

constinit LazyRegex RE_NUMBER_ABBREV{R"((?i)\bNo\.\s)"};

// ---- acronyms ----

constinit LazyRegex RE_LETTER_PERIODS{R"(\b(?:[A-Za-z]\.){2,}\.?)"};
constinit LazyRegex RE_LETTER_HYPHEN{R"((?<=[A-Za-z])-(?=[A-Za-z]))"};
constinit LazyRegex RE_CAPS_TOKEN{R"(\b[A-Z]{2,10}\b)"};

constexpr std::array<std::string_view, 2> ACRONYMS_KEPT = {"NASA", "PLUS"};
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> ACRONYM_WORDS = {{
    {"SDN", "sendirian"}, {"BHD", "berhad"},
}};
constexpr std::array<std::string_view, 17> ACRONYMS_SPELLED = {
    "AI", "ML", "DL", "RL", "API", "GPU", "CPU", "NLP", "LLM",
    "UM", "UKM", "USM", "UTM", "UPM", "UITM", "UPNM", "IIUM",
};

bool is_vowel(char32_t c) {
  switch (c) {
    case U'A': case U'E': case U'I': case U'O': case U'U':
    case U'a': case U'e': case U'i': case U'o': case U'u':
      return true;
    default:
      return false;
  }
}
bool is_vowel_or_y(char32_t c) { return is_vowel(c) || c == U'Y' || c == U'y'; }

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& list, std::string_view token) {
  for (std::string_view w : list)
    if (w == token) return true;
  return false;
}

}  // namespace

// ---- public entry points ----

std::string render_year(u128 year) {
  const u128 lo = year % 100, hi = year / 100;
  const std::string h = cardinal(hi);
  if (lo >= 1 && lo <= 9) return h + " oh " + cardinal(lo);
  if (lo >= 10) return h + " " + cardinal(lo);
  if (year == 2000) return "two thousand";
  return h + " hundred";
}

std::string mixed_alnum_en(std::string_view token) { return rules::mixed_alnum(token, lang::en::DIGITS); }

std::span<const rules::Pass> english_passes() { return PASSES; }

std::string normalize_english(std::string_view text) { return normalize_english(std::string(text)); }

std::string normalize_english(std::string&& input) {
  // A bare number is one match of the plain-number pass; every other pass
  // needs a character it lacks, and its reading holds no digit.
  // Its reading is already collapsed: digit words one blank apart, or the
  // words of a number of up to four digits (a test reads them all).
  if (all_ascii_digits(input)) return read_digits(input);
  rules::Known known;
  std::string text = normalize::expand_all_currency_suffixes(std::move(input), &known);
  text = rules::run_passes(std::move(text), PASSES, std::move(known));
  // Every contraction holds an apostrophe and every title ends in a full
  // stop: only rows whose letter stands beside one in the text are scanned.
  text = expand_contractions(std::move(text));
  text = expand_titles(std::move(text));
  // ‘XYZ Sdn. Bhd.’ -> ‘XYZ sendirian berhad’
  // Each match holds "bhd" in some case, and no character beyond ASCII folds to those letters.
  std::string spoken;
  if (pron::holds_caseless(text, "bhd") &&
      rules::replace_into(text, *RE_SDN_BHD, spoken, [](const Captures&) { return "sendirian berhad"; }))
    text.swap(spoken);
  if (unicode::is_collapsed(text)) return text;
  return unicode::collapse_whitespace(text);
}

std::string apply_pronunciation_overrides(std::string text, std::string_view lang) {
  // Every row needs an ASCII letter other than "k" and "s" (the only ones
  // with caseless twins beyond ASCII): a text without letters keeps as it is.
  auto letter = [](char c) { return unicode::is_ascii_letter(c); };
  if (std::none_of(text.begin(), text.end(), letter)) return text;
  // Every match of a row holds a word up to case (an override word, "bhd",
  // a unit, "no."): a text the folds rule it out of is not scanned.
  std::optional<pron::Folded> folded(std::in_place, text);
  auto may_occur = [&](std::string_view word) {
    if (!folded) folded.emplace(text);
    return folded->may_occur(word);
  };
  const auto& words = override_words();
  if (std::any_of(words.begin(), words.end(), [&](const PronunciationPair& p) { return may_occur(p.first); })) {
    // No row makes a word more than five times longer, far below the limit.
    static const pron::PairList list(words);
    Result<std::string> spoken = pron::apply(std::move(text), list, lang);
    if (!spoken.is_ok()) throw InternalFailure(spoken.error());
    text = std::move(spoken).value();
    folded.reset();
  }
  std::string next;
  auto replace = [&](const Regex& re, auto&& read) {
    if (!rules::replace_into(text, re, next, read)) return;
    text.swap(next);
    folded.reset();
  };
  // ‘sdn. bhd.’ -> ‘sendirian berhad’
  if (may_occur("bhd")) replace(*RE_SDN_BHD, [](const Captures&) { return "sendirian berhad"; });
  if (lang != "zh" && lang != "zh_my") {
    for (const Override& o : UNIT_REWRITES) {
      if (!may_occur(o.unit)) continue;
      replace(*o.re, [&o](const Captures& c) {
        std::string out(c[1]);
        if (c.matched(2)) out.append(".").append(c[2]);
        out.push_back(' ');
        out.append(o.replacement);
        return out;
      });
    }
  }
  if (!may_occur("no.")) return text;
  // ‘No. 5’ -> ‘number 5’: the whitespace after the dot becomes one space.
  const std::string_view word = lang == "ms" ? "nombor " : lang == "id" ? "nomor " : "number ";
  replace(*RE_NUMBER_ABBREV, [word](const Captures&) { return word; });
  return text;
}

std::string replace_letter_period_sequences(std::string text) {
  // What each step needs somewhere in the text, found in one walk: a letter,
  // a full stop, a letter and a full stop; a letter, a hyphen, a letter; two
  // capitals side by side. A text without them is returned as it came.
  // Eight bytes at a time: capitals, and the few "-" and "." looked at one by one.
  auto letter = [](char c) { return unicode::is_ascii_letter(c); };
  bool periods = false, hyphens = false, caps = false;
  std::uint64_t capital_before = 0;  // bit 7: the last byte of the block before is a capital
  for (std::size_t p = 0; p < text.size(); p += 8) {
    std::uint64_t x = 0;
    if (p + 8 <= text.size()) std::memcpy(&x, text.data() + p, 8);
    else for (std::size_t k = p; k < text.size(); ++k) x |= std::uint64_t{static_cast<unsigned char>(text[k])} << 8 * (k - p);
    const std::uint64_t v = x & ~unicode::HIGH_BITS, ascii = ~x & unicode::HIGH_BITS;
    const std::uint64_t capitals = unicode::within(v, 'A', 'Z') & ascii;
    caps = caps || (capitals & (capitals << 8 | capital_before)) != 0;
    capital_before = capitals >> 56;
    for (std::uint64_t marks = unicode::within(v, '-', '.') & ascii; marks != 0; marks &= marks - 1) {
      const std::size_t i = p + static_cast<std::size_t>(std::countr_zero(marks)) / 8;
      if (i == 0 || !letter(text[i - 1]) || i + 1 >= text.size() || !letter(text[i + 1])) continue;
      if (text[i] == '-') hyphens = true;
      else if (i + 2 < text.size() && text[i + 2] == '.') periods = true;
    }
  }
  // ‘U.S.A.’ -> ‘U S A’
  if (periods) {
    text = RE_LETTER_PERIODS->replace_all(text, [](const Captures& c) {
      std::string_view m = c[0];
      while (!m.empty() && m.back() == '.') m.remove_suffix(1);
      std::string out(m);
      for (char& ch : out)
        if (ch == '.') ch = ' ';
      return out;
    });
  }
  // ‘e-mail’ -> ‘e mail’
  if (hyphens) text = RE_LETTER_HYPHEN->replace_all(text, [](const Captures&) { return " "; });
  // ‘NATO’ -> ‘nato’, ‘FBI’ -> ‘F B I’. Dropping a final full stop can
  // bring two capitals together (‘U.S.A.B’ -> ‘U S AB’).
  if (!caps && !periods) return text;
  // A match starts a run of two or more capitals (a capital before it is no
  // boundary), so the pattern is tried at those starts alone.
  auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
  std::string out;
  std::size_t copied = 0;
  Captures c;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (!capital(text[i]) || !capital(text[i + 1]) || (i > 0 && capital(text[i - 1]))) continue;
    if (!RE_CAPS_TOKEN->match_at(text, i, c)) continue;
    out.append(text, copied, c.start(0) - copied);
    out += expand_acronym(c[0]);
    copied = c.end(0);
  }
  if (copied == 0) return text;
  out.append(text, copied);
  return out;
}

namespace detail {

std::vector<std::pair<const regex::Regex*, bool>> word_row_gates(std::string_view text) {
  std::vector<std::pair<const regex::Regex*, bool>> out;
  auto add = [&](const auto& rows, std::size_t n) {
    const auto may = rows.may_match(text);
    for (std::size_t i = 0; i < n; ++i) out.emplace_back(rows.pattern(i), may[i / 64] >> (i % 64) & 1);
  };
  add(contraction_rows(), CONTRACTIONS.size());
  add(title_rows(), TITLES.size());
  return out;
}

std::vector<std::pair<const regex::Regex*, bool>> override_gates(std::string_view text) {
  pron::Folded folded(text);
  std::vector<std::pair<const regex::Regex*, bool>> out = {
      {&*RE_SDN_BHD, folded.may_occur("bhd")},
      {&*RE_SDN_BHD, pron::holds_caseless(text, "bhd")},
      {&*RE_NUMBER_ABBREV, folded.may_occur("no.")},
  };
  for (const Override& o : UNIT_REWRITES) out.emplace_back(&*o.re, folded.may_occur(o.unit));
  return out;
}

}  // namespace detail

std::string expand_acronym(std::string_view token) {
  if (contains(ACRONYMS_KEPT, token)) return std::string(token);
  for (const auto& [abbrev, word] : ACRONYM_WORDS)
    if (abbrev == token) return std::string(word);

  // Letters as code points, so that a caller's non-ASCII token is never
  // split inside a character.
  std::vector<std::string_view> letters;
  std::vector<char32_t> cps;
  for (std::size_t pos = 0; pos < token.size();) {
    const std::size_t start = pos;
    cps.push_back(unicode::decode(token, pos));
    letters.push_back(token.substr(start, pos - start));
  }
  auto spelled = [&] {
    std::string out;
    for (std::string_view l : letters) {
      if (!out.empty()) out.push_back(' ');
      out.append(l);
    }
    return out;
  };
  if (contains(ACRONYMS_SPELLED, token)) return spelled();

  const std::size_t n = cps.size();
  if (n >= 4) {
    // Word rule: a share of vowels a speaker can pronounce as a word.
    std::size_t vowels = 0;
    bool has_consonant = false;
    for (char32_t c : cps) {
      vowels += is_vowel(c) ? 1 : 0;
      has_consonant = has_consonant || !is_vowel_or_y(c);
    }
    if (cps.back() == U'Y' || cps.back() == U'y') ++vowels;
    const double ratio = static_cast<double>(vowels) / static_cast<double>(n);
    if (ratio >= 0.3 && ratio <= 0.6 && has_consonant) return unicode::to_lower(token);

    // First-letter rule: ‘XBOX’ -> ‘X box’.
    bool inner_vowel = false;
    for (std::size_t i = 2; i + 1 < n; ++i) inner_vowel = inner_vowel || is_vowel(cps[i]);
    if (!is_vowel(cps[1]) && !is_vowel(cps.back()) && inner_vowel)
      return std::string(letters[0]) + " " + unicode::to_lower(token.substr(letters[0].size()));
  }
  return spelled();
}

}  // namespace kalvesta::normalize_en
