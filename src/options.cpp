// Per-call options: the caller's JSON text decoded event by event into an
// Options record, with decoder-style messages ("... at line L column C") for
// text that is malformed or does not fit, and the pass-key switch.
#include "options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "unicode.h"

namespace kalvesta {

namespace {

using Json = nlohmann::json;

constexpr std::string_view FIELD_LIST =
    "one of `profile`, `disable`, `pronunciation_profile`, `pronunciations`";
// Containers nested this deep (the outermost counted) are refused.
constexpr std::size_t MAX_DEPTH = 128;

// What the decoder has read so far: shared by the counting iterators.
struct Tracker {
  const char* base = nullptr;
  std::size_t consumed = 0;  // bytes handed to the decoder
  bool eof = false;          // the decoder asked past the last byte
};

// A byte iterator that tells the tracker how far the decoder has read; the
// SAX events carry no positions, so this is where they come from.
class CountingIter {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  CountingIter() = default;
  CountingIter(const char* p, Tracker* t) : p_(p), t_(t) {}
  reference operator*() const {
    t_->consumed = static_cast<std::size_t>(p_ - t_->base) + 1;
    return *p_;
  }
  CountingIter& operator++() {
    ++p_;
    return *this;
  }
  CountingIter operator++(int) {
    CountingIter old = *this;
    ++p_;
    return old;
  }
  friend bool operator==(const CountingIter& a, const CountingIter& b) {
    bool at_end = a.p_ == b.p_;
    if (at_end && a.t_) a.t_->eof = true;
    return at_end;
  }
  friend bool operator!=(const CountingIter& a, const CountingIter& b) { return !(a == b); }

 private:
  const char* p_ = nullptr;
  Tracker* t_ = nullptr;
};

bool is_json_ws(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Shortest round-trip text of a double in the layout decoder messages use:
// "1.5", "100.0", "1e20", "1.5e-7", "0.0001".
std::string float_found_text(double v) {
  if (v == 0) return std::signbit(v) ? "-0.0" : "0.0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
  std::string out;
  if (!s.empty() && s.front() == '-') {
    out.push_back('-');
    s.remove_prefix(1);
  }
  std::size_t e = s.find('e');
  std::string digits;
  for (char c : s.substr(0, e)) {
    if (c != '.') digits.push_back(c);
  }
  int exp10 = 0;
  std::string_view es = s.substr(e + 1);
  bool neg = !es.empty() && es.front() == '-';
  if (!es.empty() && (es.front() == '-' || es.front() == '+')) es.remove_prefix(1);
  std::from_chars(es.data(), es.data() + es.size(), exp10);
  if (neg) exp10 = -exp10;

  const int length = static_cast<int>(digits.size());
  const int kk = exp10 + 1;  // 10^(kk-1) <= |v| < 10^kk
  const int k = kk - length;
  if (k >= 0 && kk <= 16) {
    out += digits;
    out.append(static_cast<std::size_t>(k), '0');
    out += ".0";
  } else if (kk > 0 && kk <= 16) {
    out += digits.substr(0, static_cast<std::size_t>(kk));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(kk));
  } else if (kk > -5 && kk <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-kk), '0');
    out += digits;
  } else {
    out += digits.front();
    if (length > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += 'e';
    out += std::to_string(kk - 1);
  }
  return out;
}

// A string as decoder messages quote it: in double quotes, with escapes.
std::string debug_quoted(std::string_view s) {
  std::string out = "\"";
  std::size_t pos = 0;
  while (pos < s.size()) {
    char32_t c = unicode::decode(s, pos);
    switch (c) {
      case U'\0': out += "\\0"; break;
      case U'\t': out += "\\t"; break;
      case U'\r': out += "\\r"; break;
      case U'\n': out += "\\n"; break;
      case U'\\': out += "\\\\"; break;
      case U'"': out += "\\\""; break;
      default:
        if (unicode::needs_debug_escape(c)) {
          char hex[16];
          auto r = std::to_chars(hex, hex + sizeof hex, static_cast<std::uint32_t>(c), 16);
          out += "\\u{";
          out.append(hex, r.ptr);
          out += '}';
        } else {
          unicode::append_utf8(out, c);
        }
    }
  }
  out += '"';
  return out;
}

// Where a value is going, which decides the JSON types it may have.
enum class Slot {
  Root,            // the whole text
  Profile,         // "profile"
  Disable,         // "disable"
  DisableItem,     // one element of "disable"
  PronProfile,     // "pronunciation_profile"
  Pronunciations,  // "pronunciations"
  GlobalScope,     // "*" inside "pronunciations"
  LangScope,       // a language code inside "pronunciations"
  GlobalWord,      // a replacement in the "*" scope
  LangWord,        // a replacement in a language scope
  Skip,            // inside a value already found wrong (kept only for syntax)
  Extra,           // a fifth element of the array form
};

enum class Frame { OptionsObj, OptionsArr, DisableArr, PronObj, GlobalObj, LangObj, SkipObj, SkipArr };

struct Open {
  Frame kind = Frame::SkipObj;
  bool is_array = false;
  std::size_t count = 0;   // values completed inside
  bool after_key = false;  // a key was read, its value not yet complete
  Slot field = Slot::Skip; // OptionsObj: the field of the pending key
  std::string key;         // object frames: the pending key
};

enum class Found { Null, Bool, Number, String, Array, Object };

class Decoder final : public nlohmann::json_sax<Json> {
 public:
  Decoder(std::string_view text, Tracker& t) : text_(text), t_(t) {}

  Options options;
  std::string error;  // description and position; empty on success

  bool null() override {
    return scalar(Found::Null, [] { return std::string("null"); }, t_.consumed, [&](Slot s) {
      switch (s) {
        case Slot::Profile: options.profile.reset(); break;
        case Slot::PronProfile: options.pronunciation_profile.reset(); break;
        case Slot::GlobalScope: options.pronunciations.global.reset(); break;
        case Slot::GlobalWord: (*options.pronunciations.global)[top().key] = std::nullopt; break;
        case Slot::LangWord: (*lang_scope_)[top().key] = std::nullopt; break;
        default: break;
      }
    });
  }

  bool boolean(bool val) override {
    return scalar(Found::Bool, [val] { return std::string(val ? "boolean `true`" : "boolean `false`"); },
                  t_.consumed, [](Slot) {});
  }

  bool number_integer(number_integer_t val) override {
    std::size_t end = number_end();
    // "-0" reads as a float, not as the integer 0.
    bool neg_zero = val == 0 && end >= 2 && text_[end - 2] == '-';
    return number(end, [=] {
      return neg_zero ? std::string("floating point `-0.0`") : "integer `" + std::to_string(val) + "`";
    });
  }

  bool number_unsigned(number_unsigned_t val) override {
    return number(number_end(), [=] { return "integer `" + std::to_string(val) + "`"; });
  }

  bool number_float(number_float_t val, const string_t&) override {
    return number(number_end(), [=] { return "floating point `" + float_found_text(val) + "`"; });
  }

  bool string(string_t& val) override {
    return scalar(Found::String, [&] { return "string " + debug_quoted(val); }, t_.consumed, [&](Slot s) {
      switch (s) {
        case Slot::Profile: options.profile = val; break;
        case Slot::PronProfile: options.pronunciation_profile = val; break;
        case Slot::DisableItem: options.disable.push_back(val); break;
        case Slot::GlobalWord: (*options.pronunciations.global)[top().key] = val; break;
        case Slot::LangWord: (*lang_scope_)[top().key] = val; break;
        default: break;
      }
    });
  }

  bool binary(binary_t&) override { return fail("invalid type: byte array, expected a string", t_.consumed); }

  bool start_object(std::size_t) override { return open(false); }
  bool start_array(std::size_t) override { return open(true); }
  bool end_object() override { return close(); }
  bool end_array() override { return close(); }

  bool key(string_t& val) override {
    Open& f = top();
    f.after_key = true;
    last_end_ = t_.consumed;
    if (f.kind == Frame::OptionsObj) {
      static constexpr std::pair<std::string_view, Slot> FIELDS[] = {
          {"profile", Slot::Profile},
          {"disable", Slot::Disable},
          {"pronunciation_profile", Slot::PronProfile},
          {"pronunciations", Slot::Pronunciations},
      };
      for (std::size_t i = 0; i < std::size(FIELDS); ++i) {
        if (val != FIELDS[i].first) continue;
        if (seen_fields_[i]) return fail("duplicate field `" + val + "`", t_.consumed);
        seen_fields_[i] = true;
        f.field = FIELDS[i].second;
        return true;
      }
      return fail("unknown field `" + val + "`, expected " + std::string(FIELD_LIST), t_.consumed);
    }
    if (f.kind == Frame::PronObj && val == "*") {
      if (seen_global_) return fail("duplicate field `*`", t_.consumed);
      seen_global_ = true;
    }
    f.key = val;
    return true;
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& ex) override {
    syntax_error(ex);
    return false;
  }

 private:
  std::string_view text_;
  Tracker& t_;
  std::vector<Open> stack_;
  std::size_t last_end_ = 0;  // offset after the token of the last event
  bool top_done_ = false;
  bool seen_fields_[4] = {false, false, false, false};
  bool seen_global_ = false;
  PronunciationScope* lang_scope_ = nullptr;
  // A language scope of the wrong shape is reported once the whole
  // "pronunciations" object has been read; only the first one counts.
  std::string deferred_;

  Open& top() { return stack_.back(); }

  // 1-based line and byte column after `offset` bytes, as "at line L column C".
  std::string where(std::size_t offset) const {
    offset = std::min(offset, text_.size());
    std::string_view before = text_.substr(0, offset);
    std::size_t line = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    std::size_t nl = before.rfind('\n');
    std::size_t col = nl == std::string_view::npos ? offset : offset - nl - 1;
    return " at line " + std::to_string(line) + " column " + std::to_string(col);
  }

  bool fail(const std::string& description, std::size_t offset) {
    if (error.empty()) error = description + where(offset);
    return false;
  }

  std::size_t skip_ws(std::size_t i) const {
    while (i < text_.size() && is_json_ws(text_[i])) ++i;
    return i;
  }

  // Start of the token after the last event, past one separator.
  std::size_t next_token_start() const {
    std::size_t p = skip_ws(last_end_);
    if (p < text_.size() && (text_[p] == ',' || text_[p] == ':')) p = skip_ws(p + 1);
    return p;
  }

  // The decoder reads one byte past a number unless the text ended.
  std::size_t number_end() const { return t_.eof ? text_.size() : t_.consumed - 1; }

  Slot slot() const {
    if (stack_.empty()) return Slot::Root;
    const Open& f = stack_.back();
    switch (f.kind) {
      case Frame::OptionsObj: return f.field;
      case Frame::OptionsArr: {
        static constexpr Slot ORDER[] = {Slot::Profile, Slot::Disable, Slot::PronProfile, Slot::Pronunciations};
        return f.count < 4 ? ORDER[f.count] : Slot::Extra;
      }
      case Frame::DisableArr: return Slot::DisableItem;
      case Frame::PronObj: return f.key == "*" ? Slot::GlobalScope : Slot::LangScope;
      case Frame::GlobalObj: return Slot::GlobalWord;
      case Frame::LangObj: return Slot::LangWord;
      case Frame::SkipObj:
      case Frame::SkipArr: return Slot::Skip;
    }
    return Slot::Skip;
  }

  static bool accepts(Slot s, Found f) {
    switch (s) {
      case Slot::Root: return f == Found::Object || f == Found::Array;
      case Slot::Profile:
      case Slot::PronProfile:
      case Slot::GlobalWord:
      case Slot::LangWord: return f == Found::String || f == Found::Null;
      case Slot::DisableItem: return f == Found::String;
      case Slot::Disable: return f == Found::Array;
      case Slot::Pronunciations:
      case Slot::LangScope: return f == Found::Object;
      case Slot::GlobalScope: return f == Found::Object || f == Found::Null;
      case Slot::Skip: return true;
      case Slot::Extra: return false;
    }
    return false;
  }

  static std::string_view expected(Slot s) {
    switch (s) {
      case Slot::Root: return "struct Options";
      case Slot::Disable: return "a sequence";
      case Slot::Pronunciations: return "struct PronunciationScopes";
      case Slot::GlobalScope:
      case Slot::LangScope: return "a map";
      default: return "a string";
    }
  }

  static bool deferred_slot(Slot s) { return s == Slot::LangScope || s == Slot::LangWord; }

  void value_done(std::size_t end) {
    last_end_ = end;
    if (stack_.empty()) {
      top_done_ = true;
      return;
    }
    ++top().count;
    top().after_key = false;
  }

  // A value of the wrong type: reported now, or kept for the end of
  // "pronunciations" when it sits in a language scope.
  bool mismatch(Slot s, const std::string& found, std::size_t offset) {
    if (s == Slot::Extra) return fail("trailing characters", next_token_start() + 1);
    std::string description = "invalid type: " + found + ", expected " + std::string(expected(s));
    if (!deferred_slot(s)) return fail(description, offset);
    if (deferred_.empty()) deferred_ = std::move(description);
    return true;
  }

  template <class Describe, class Apply>
  bool scalar(Found kind, Describe&& describe, std::size_t end, Apply&& apply) {
    Slot s = slot();
    if (!accepts(s, kind)) {
      if (!mismatch(s, describe(), end)) return false;
    } else {
      apply(s);
    }
    value_done(end);
    return true;
  }

  template <class Describe>
  bool number(std::size_t end, Describe&& describe) {
    // A digit straight after a number is a second leading zero ("01").
    bool digit_follows = end < text_.size() && text_[end] >= '0' && text_[end] <= '9';
    if (digit_follows && slot() != Slot::Extra) return fail("invalid number", end + 1);
    return scalar(Found::Number, describe, end, [](Slot) {});
  }

  bool open(bool is_array) {
    const std::size_t after = t_.consumed;
    Slot s = slot();
    Frame kind = is_array ? Frame::SkipArr : Frame::SkipObj;
    if (!accepts(s, is_array ? Found::Array : Found::Object)) {
      // The position is the byte before the bracket: the value was not entered.
      if (!mismatch(s, is_array ? "sequence" : "map", after - 1)) return false;
    } else {
      switch (s) {
        case Slot::Root: kind = is_array ? Frame::OptionsArr : Frame::OptionsObj; break;
        case Slot::Disable: kind = Frame::DisableArr; break;
        case Slot::Pronunciations: kind = Frame::PronObj; break;
        case Slot::GlobalScope:
          kind = Frame::GlobalObj;
          options.pronunciations.global.emplace();
          break;
        case Slot::LangScope:
          // A repeated language code replaces the earlier scope whole.
          kind = Frame::LangObj;
          lang_scope_ = &options.pronunciations.per_language[top().key];
          lang_scope_->clear();
          break;
        default: break;
      }
    }
    if (stack_.size() + 1 >= MAX_DEPTH) return fail("recursion limit exceeded", after);
    Open frame;
    frame.kind = kind;
    frame.is_array = is_array;
    stack_.push_back(std::move(frame));
    last_end_ = after;
    return true;
  }

  bool close() {
    Frame kind = top().kind;
    stack_.pop_back();
    if (kind == Frame::PronObj && !deferred_.empty()) return fail(deferred_, t_.consumed);
    value_done(t_.consumed);
    return true;
  }

  // Describes a malformed text from where the decoder stood: what the
  // grammar expected there decides the wording, as a reader would put it.
  void syntax_error(const nlohmann::detail::exception& ex) {
    const std::size_t len = text_.size();
    std::size_t p = skip_ws(last_end_);
    auto at = [&](std::size_t i) { return i < len ? text_[i] : '\0'; };
    if (stack_.empty()) {
      if (top_done_) {
        fail("trailing characters", p + 1);
      } else {
        value_error(p, ex, false);
      }
      return;
    }
    const Open& f = top();
    if (!f.is_array) {
      if (f.count == 0 && !f.after_key) {  // just after "{"
        key_error(p, ex, "EOF while parsing an object");
      } else if (f.after_key) {
        if (at(p) == ':') {
          value_error(skip_ws(p + 1), ex, false);
        } else {
          fail(p >= len ? "EOF while parsing an object" : "expected `:`", p + 1);
        }
      } else if (at(p) == ',') {
        std::size_t q = skip_ws(p + 1);
        if (at(q) == '}') {
          fail("trailing comma", q + 1);
        } else {
          key_error(q, ex, "EOF while parsing a value");
        }
      } else {
        fail(p >= len ? "EOF while parsing an object" : "expected `,` or `}`", p + 1);
      }
      return;
    }
    if (f.kind == Frame::OptionsArr && f.count == 4) {
      // The array form holds four values; whatever follows is surplus.
      if (at(p) == ',') {
        std::size_t q = skip_ws(p + 1);
        fail(at(q) == ']' ? "trailing comma" : "trailing characters", q + 1);
      } else {
        fail(p >= len ? "EOF while parsing a list" : "trailing characters", p + 1);
      }
      return;
    }
    if (f.count == 0) {
      value_error(p, ex, true);
    } else if (at(p) == ',') {
      std::size_t q = skip_ws(p + 1);
      if (at(q) == ']') {
        fail("trailing comma", q + 1);
      } else {
        value_error(q, ex, false);
      }
    } else {
      fail(p >= len ? "EOF while parsing a list" : "expected `,` or `]`", p + 1);
    }
  }

  // A key was due at `p`.
  void key_error(std::size_t p, const nlohmann::detail::exception& ex, std::string_view at_eof) {
    if (p >= text_.size()) {
      fail(std::string(at_eof), p);
    } else if (text_[p] == '"') {
      string_error(ex);
    } else {
      fail("key must be a string", p + 1);
    }
  }

  // A value was due at `p`; `list_start` when it would be a list's first.
  void value_error(std::size_t p, const nlohmann::detail::exception& ex, bool list_start) {
    const std::size_t len = text_.size();
    if (p >= len) {
      fail(list_start ? "EOF while parsing a list" : "EOF while parsing a value", len);
      return;
    }
    char c = text_[p];
    if (c == '"') {
      string_error(ex);
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      if (ex.id == 406) {
        fail("number out of range", number_end());
      } else {
        fail(t_.eof ? "EOF while parsing a value" : "invalid number", t_.eof ? len : t_.consumed);
      }
    } else if (c == 't' || c == 'f' || c == 'n') {
      fail(t_.eof ? "EOF while parsing a value" : "expected ident", t_.eof ? len : t_.consumed);
    } else {
      fail("expected value", p + 1);
    }
  }

  // The decoder stopped inside a string.
  void string_error(const nlohmann::detail::exception& ex) {
    if (t_.eof) {
      fail("EOF while parsing a string", text_.size());
      return;
    }
    std::string_view what = ex.what();
    std::string description = "invalid escape";
    if (what.find("control character") != std::string_view::npos) {
      description = "control character (\\u0000-\\u001F) found while parsing a string";
    } else if (what.find("surrogate") != std::string_view::npos) {
      description = "lone leading surrogate in hex escape";
    } else if (what.find("UTF-8") != std::string_view::npos) {
      description = "invalid unicode code point";
    }
    fail(description, t_.consumed);
  }
};

}  // namespace

Result<Options> Options::parse(std::string_view json) {
  if (unicode::trim(json).empty()) return Result<Options>::ok(Options{});
  auto failed = [](const std::string& message) { return Result<Options>::err("invalid options JSON: " + message); };
  // The decoder below would skip a byte-order mark silently; it is no value.
  if (static_cast<unsigned char>(json.front()) == 0xEF) return failed("expected value at line 1 column 1");

  Tracker tracker;
  tracker.base = json.data();
  Decoder decoder(json, tracker);
  CountingIter first(json.data(), &tracker);
  CountingIter last(json.data() + json.size(), &tracker);
  bool ok = Json::sax_parse(first, last, &decoder, Json::input_format_t::json, true);
  if (!decoder.error.empty()) return failed(decoder.error);
  // Every refusal above leaves a message; this is only a safety net.
  if (!ok) return failed("expected value at line 1 column 1");
  return Result<Options>::ok(std::move(decoder.options));
}

bool Options::listed_enabled(std::string_view key) const {
  auto holds = [key](const auto& table) { return std::find(table.begin(), table.end(), key) != table.end(); };
  if (profile == "minimal" && holds(MINIMAL_DISABLED)) return false;
  if (profile == "basic" && holds(BASIC_DISABLED)) return false;
  return !holds(disable);
}

}  // namespace kalvesta
