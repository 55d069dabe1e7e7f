// The Python module `_core`: nine functions that convert their arguments,
// call the core and convert the result. Core errors become ValueError,
// internal failures PanicException; no C++ exception reaches the interpreter.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "entities.h"
#include "langpack.h"
#include "normalize_zh.h"
#include "num2word.h"
#include "numtext.h"
#include "options.h"
#include "pipeline.h"
#include "regex.h"
#include "result.h"
#include "unicode.h"

namespace kalvesta::pybind {
namespace {

// An owned reference; every path that leaves a function releases it.
class Ref {
 public:
  Ref() = default;
  explicit Ref(PyObject* p) : p_(p) {}
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  Ref(Ref&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
  Ref& operator=(Ref&& o) noexcept {
    if (this != &o) {
      Py_XDECREF(p_);
      p_ = o.p_;
      o.p_ = nullptr;
    }
    return *this;
  }
  ~Ref() { Py_XDECREF(p_); }
  PyObject* get() const { return p_; }
  PyObject* release() {
    PyObject* p = p_;
    p_ = nullptr;
    return p;
  }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  PyObject* p_ = nullptr;
};

PyObject* g_panic_exception = nullptr;

PyObject* panic_type() {
  if (g_panic_exception == nullptr) {
    // Only reached when the package's own exception could not be imported.
    g_panic_exception = PyErr_NewException("kalvesta.PanicException", PyExc_BaseException, nullptr);
  }
  return g_panic_exception;
}

// The one door for C++ exceptions: every function body runs inside it.
template <class F>
PyObject* guarded(F&& body) {
  try {
    // Every text argument came through to_text: valid UTF-8.
    regex::TrustedUtf8 trusted;
    return body();
  } catch (const InternalFailure& e) {
    PyErr_SetString(panic_type(), e.what());
  } catch (const std::bad_alloc&) {
    PyErr_NoMemory();
  } catch (const std::exception& e) {
    PyErr_SetString(panic_type(), e.what());
  } catch (...) {
    PyErr_SetString(panic_type(), "internal failure");
  }
  return nullptr;
}

std::string type_name(PyObject* obj) {
  Ref name(PyObject_GetAttrString(reinterpret_cast<PyObject*>(Py_TYPE(obj)), "__name__"));
  if (name && PyUnicode_Check(name.get())) {
    const char* s = PyUnicode_AsUTF8(name.get());
    if (s != nullptr) return s;
  }
  PyErr_Clear();
  return Py_TYPE(obj)->tp_name;
}

// A TypeError raised while converting a parameter gets the parameter's name
// in front of its message; the cause of the original error is kept.
void name_type_error(const char* param) {
  if (!PyErr_ExceptionMatches(PyExc_TypeError)) return;
  PyObject *type, *value, *tb;
  PyErr_Fetch(&type, &value, &tb);
  PyErr_NormalizeException(&type, &value, &tb);
  Ref t(type), v(value), trace(tb);
  Ref msg(v ? PyObject_Str(v.get()) : nullptr);
  if (!msg) {
    PyErr_Clear();
    msg = Ref(PyUnicode_FromString(""));
  }
  Ref text(PyUnicode_FromFormat("argument '%s': %U", param, msg.get()));
  if (!text) return;
  Ref err(PyObject_CallOneArg(PyExc_TypeError, text.get()));
  if (!err) return;
  if (v) {
    PyObject* cause = PyException_GetCause(v.get());  // new reference or NULL
    if (cause != nullptr) PyException_SetCause(err.get(), cause);  // steals
  }
  PyErr_SetObject(PyExc_TypeError, err.get());
}

void set_type_error(const char* param, const std::string& message) {
  PyErr_SetString(PyExc_TypeError, message.c_str());
  name_type_error(param);
}

// ---- argument conversions ----

std::optional<std::string_view> to_text(PyObject* obj, const char* param) {
  if (!PyUnicode_Check(obj)) {
    set_type_error(param, "'" + type_name(obj) + "' object cannot be converted to 'PyString'");
    return std::nullopt;
  }
  // An ASCII string's characters are its UTF-8 bytes.
  if (PyUnicode_IS_ASCII(obj))
    return std::string_view(static_cast<const char*>(PyUnicode_DATA(obj)), static_cast<std::size_t>(PyUnicode_GET_LENGTH(obj)));
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(obj, &size);  // UnicodeEncodeError on lone surrogates
  if (data == nullptr) return std::nullopt;
  return std::string_view(data, static_cast<std::size_t>(size));
}

std::optional<u128> to_u128(PyObject* obj, const char* param) {
  Ref index(PyNumber_Index(obj));
  if (!index) {
    name_type_error(param);
    return std::nullopt;
  }
  int negative = PyObject_RichCompareBool(index.get(), Ref(PyLong_FromLong(0)).get(), Py_LT);
  if (negative < 0) return std::nullopt;
  if (negative) {
    PyErr_SetString(PyExc_ValueError, "Cannot convert negative int");
    return std::nullopt;
  }
  Ref bits(PyObject_CallMethod(index.get(), "bit_length", nullptr));
  if (!bits) return std::nullopt;
  if (PyLong_AsLong(bits.get()) > 128) {
    PyErr_SetString(PyExc_OverflowError, "Python int larger than 128 bits");
    return std::nullopt;
  }
  Ref shift(PyLong_FromLong(64));
  Ref high_obj(PyNumber_Rshift(index.get(), shift.get()));
  if (!high_obj) return std::nullopt;
  unsigned long long low = PyLong_AsUnsignedLongLongMask(index.get());
  unsigned long long high = PyLong_AsUnsignedLongLongMask(high_obj.get());
  if (PyErr_Occurred()) return std::nullopt;
  return (static_cast<u128>(high) << 64) | low;
}

std::optional<long long> to_i64(PyObject* obj, const char* param) {
  Ref index(PyNumber_Index(obj));
  if (!index) {
    name_type_error(param);
    return std::nullopt;
  }
  long long v = PyLong_AsLongLong(index.get());
  if (v == -1 && PyErr_Occurred()) return std::nullopt;
  return v;
}

std::optional<double> to_f64(PyObject* obj, const char* param) {
  double v = PyFloat_AsDouble(obj);
  if (v == -1.0 && PyErr_Occurred()) {
    name_type_error(param);
    return std::nullopt;
  }
  return v;
}

// None -> no filter (nullopt inside), else a set of tag texts.
bool to_tag_filter(PyObject* obj, std::optional<std::set<std::string>>& out) {
  if (obj == nullptr || obj == Py_None) return true;
  if (PyUnicode_Check(obj)) {
    set_type_error("tags", "Can't extract `str` to `Vec`");
    return false;
  }
  if (!PySequence_Check(obj)) {
    set_type_error("tags", "'" + type_name(obj) + "' object cannot be converted to 'Sequence'");
    return false;
  }
  Py_ssize_t n = PySequence_Size(obj);
  if (n < 0) {
    name_type_error("tags");
    return false;
  }
  std::set<std::string> tags;
  for (Py_ssize_t i = 0; i < n; ++i) {
    Ref item(PySequence_GetItem(obj, i));
    if (!item) {
      name_type_error("tags");
      return false;
    }
    auto text = to_text(item.get(), "tags");
    if (!text) return false;
    tags.emplace(*text);
  }
  out = std::move(tags);
  return true;
}

// One walk finds the length and the widest character, a second writes the
// characters; text that is not UTF-8 goes to the interpreter's decoder,
// which raises its own error.
PyObject* to_str(std::string_view s) {
  const std::size_t ascii = unicode::ascii_end(s, 0);
  Py_ssize_t length = static_cast<Py_ssize_t>(ascii);
  char32_t widest = 0x7F;
  for (std::size_t pos = ascii; pos < s.size(); ++length) {
    const std::size_t start = pos;
    const char32_t c = unicode::decode(s, pos);
    constexpr char32_t SMALLEST[] = {0, 0, 0x80, 0x800, 0x10000};  // by byte count: no overlong forms
    const std::size_t len = pos - start;
    if (len == 1 ? c >= 0x80 : c < SMALLEST[len] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
      return PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size()));
    widest = std::max(widest, c);
  }
  PyObject* out = PyUnicode_New(length, static_cast<Py_UCS4>(widest));
  if (out == nullptr) return nullptr;
  if (widest < 0x80) {
    std::memcpy(PyUnicode_1BYTE_DATA(out), s.data(), s.size());
    return out;
  }
  const int kind = PyUnicode_KIND(out);
  void* data = PyUnicode_DATA(out);
  Py_ssize_t i = 0;
  for (std::size_t pos = 0; pos < s.size(); ++i) PyUnicode_WRITE(kind, data, i, unicode::decode(s, pos));
  return out;
}

// ---- argument binding (positional, keyword, defaults) ----

struct Param {
  const char* name;
  bool required;
};

// Binds fastcall arguments to `params`; slots of omitted optional
// parameters stay nullptr. Messages follow the interpreter's own wording.
bool bind(const char* fname, std::span<const Param> params, bool positional_only,
          PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, PyObject** slots) {
  const Py_ssize_t np = static_cast<Py_ssize_t>(params.size());
  Py_ssize_t nrequired = 0;
  for (const auto& p : params) nrequired += p.required ? 1 : 0;
  // Required parameters come first: positional arguments alone that cover
  // them need no more checks.
  if (kwnames == nullptr && nargs >= nrequired && nargs <= np) {
    for (Py_ssize_t i = 0; i < np; ++i) slots[i] = i < nargs ? args[i] : nullptr;
    return true;
  }
  if (nargs > np) {
    if (nrequired == np) {
      PyErr_Format(PyExc_TypeError, "%s() takes %zd positional argument%s but %zd %s given", fname, np,
                   np == 1 ? "" : "s", nargs, nargs == 1 ? "was" : "were");
    } else {
      PyErr_Format(PyExc_TypeError, "%s() takes from %zd to %zd positional arguments but %zd were given", fname,
                   nrequired, np, nargs);
    }
    return false;
  }
  for (Py_ssize_t i = 0; i < np; ++i) slots[i] = i < nargs ? args[i] : nullptr;
  Py_ssize_t nkw = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
  for (Py_ssize_t k = 0; k < nkw; ++k) {
    PyObject* key = PyTuple_GET_ITEM(kwnames, k);
    Py_ssize_t found = -1;
    for (Py_ssize_t i = 0; i < np; ++i) {
      if (PyUnicode_CompareWithASCIIString(key, params[i].name) == 0) found = i;
    }
    if (found < 0) {
      PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'", fname, key);
      return false;
    }
    if (positional_only) {
      PyErr_Format(PyExc_TypeError,
                   "%s() got some positional-only arguments passed as keyword arguments: '%U'", fname, key);
      return false;
    }
    if (slots[found] != nullptr) {
      PyErr_Format(PyExc_TypeError, "%s() got multiple values for argument '%U'", fname, key);
      return false;
    }
    slots[found] = args[nargs + k];
  }
  std::vector<const char*> missing;
  for (Py_ssize_t i = 0; i < np; ++i) {
    if (params[i].required && slots[i] == nullptr) missing.push_back(params[i].name);
  }
  if (!missing.empty()) {
    std::string names;
    for (std::size_t i = 0; i < missing.size(); ++i) {
      if (i > 0) names += (i + 1 == missing.size()) ? (missing.size() > 2 ? ", and " : " and ") : ", ";
      names += "'" + std::string(missing[i]) + "'";
    }
    PyErr_Format(PyExc_TypeError, "%s() missing %zu required positional argument%s: %s", fname, missing.size(),
                 missing.size() == 1 ? "" : "s", names.c_str());
    return false;
  }
  return true;
}

PyObject* result_to_str(const Result<std::string>& r) {
  if (!r.is_ok()) {
    PyErr_SetString(PyExc_ValueError, r.error().c_str());
    return nullptr;
  }
  return to_str(r.value());
}

// ---- the nine functions ----

constexpr Param kNormalizeParams[] = {{"text", true}, {"language", true}, {"options_json", false}};

PyObject* normalize_py(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  PyObject* slots[3];
  if (!bind("normalize", kNormalizeParams, false, args, nargs, kwnames, slots)) return nullptr;
  auto text = to_text(slots[0], "text");
  if (!text) return nullptr;
  auto language = to_text(slots[1], "language");
  if (!language) return nullptr;
  std::string_view options_json;
  if (slots[2] != nullptr) {
    auto o = to_text(slots[2], "options_json");
    if (!o) return nullptr;
    options_json = *o;
  }
  return guarded([&]() -> PyObject* {
    // A blank options text parses to the defaults: built once.
    static const Options defaults;
    if (options_json.empty()) return result_to_str(pipeline::normalize_with(*text, *language, defaults));
    Result<Options> options = Options::parse(options_json);
    if (!options.is_ok()) {
      PyErr_SetString(PyExc_ValueError, options.error().c_str());
      return nullptr;
    }
    return result_to_str(pipeline::normalize_with(*text, *language, options.value()));
  });
}

PyObject* supported_languages_py(PyObject*, PyObject*) {
  return guarded([]() -> PyObject* {
    std::vector<std::string> codes = langpack::supported_languages();
    Ref list(PyList_New(static_cast<Py_ssize_t>(codes.size())));
    if (!list) return nullptr;
    for (std::size_t i = 0; i < codes.size(); ++i) {
      PyObject* s = to_str(codes[i]);
      if (s == nullptr) return nullptr;
      PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), s);
    }
    return list.release();
  });
}

constexpr Param kNParam[] = {{"n", true}};

PyObject* to_cardinal_ms_py(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  PyObject* slots[1];
  if (!bind("to_cardinal_ms", kNParam, false, args, nargs, kwnames, slots)) return nullptr;
  auto n = to_u128(slots[0], "n");
  if (!n) return nullptr;
  return guarded([&] { return to_str(num2word::to_cardinal_with(*n, num2word::MS_VOCAB)); });
}

constexpr Param kExtractParams[] = {{"text", true}, {"tags", false}};

PyObject* extract_entities_py(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  PyObject* slots[2];
  if (!bind("extract_entities", kExtractParams, false, args, nargs, kwnames, slots)) return nullptr;
  auto text = to_text(slots[0], "text");
  if (!text) return nullptr;
  std::optional<std::set<std::string>> filter;
  if (!to_tag_filter(slots[1], filter)) return nullptr;
  return guarded([&]() -> PyObject* {
    entities::Extraction ex = entities::extract(*text);
    Ref list(PyList_New(0));
    if (!list) return nullptr;
    long long counter = 1;
    for (const auto& e : ex.entities) {
      std::string_view tag = entities::tag_text(e.kind);
      if (filter && filter->count(std::string(tag)) == 0) continue;
      Ref item(Py_BuildValue("(s#s#L)", tag.data(), static_cast<Py_ssize_t>(tag.size()), e.text.data(),
                             static_cast<Py_ssize_t>(e.text.size()),
                             filter ? counter : static_cast<long long>(e.id)));
      if (!item || PyList_Append(list.get(), item.get()) < 0) return nullptr;
      ++counter;
    }
    Ref protected_text(to_str(ex.text));
    if (!protected_text) return nullptr;
    return PyTuple_Pack(2, protected_text.get(), list.get());
  });
}

constexpr Param kSpokenParams[] = {{"text", true}, {"tag", true}, {"language", true}};

PyObject* entity_to_spoken_py(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  PyObject* slots[3];
  if (!bind("entity_to_spoken", kSpokenParams, false, args, nargs, kwnames, slots)) return nullptr;
  auto text = to_text(slots[0], "text");
  if (!text) return nullptr;
  auto tag = to_text(slots[1], "tag");
  if (!tag) return nullptr;
  auto language = to_text(slots[2], "language");
  if (!language) return nullptr;
  return guarded([&] {
    return result_to_str(entities::speak_entity(entities::entity_kind_from_tag(*tag), *text, *language));
  });
}

PyObject* to_cardinal_id_py(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  PyObject* slots[1];
  if (!bind("to_cardinal_id", kNParam, true, args, nargs, kwnames, slots)) return nullptr;
  auto n = to_i64(slots[0], "n");
  if (!n) return nullptr;
  return guarded([&] {
    if (*n >= 0) return to_str(num2word::to_cardinal_with(static_cast<u128>(*n), num2word::ID_VOCAB));
    // The exact magnitude, also for -2^63.
    u128 magnitude = static_cast<u128>(-(static_cast<i128>(*n)));
    return to_str("negatif " + num2word::to_cardinal_with(magnitude, num2word::ID_VOCAB));
  });
}

std::string cardinal_zh(double whole) { return normalize_zh::to_cardinal_zh(saturating_u128(whole)); }

// ‘3.25’ -> ‘三点二五’, ‘-5.25’ -> ‘负五点二五’: a negative number reads its
// own value after "负", fraction included.
std::string number_zh(double n) {
  if (n < 0) return "负" + number_zh(-n);
  if (n == std::trunc(n)) return cardinal_zh(n);
  // A fraction is read digit by digit from the float's shortest text; NaN
  // has no "." and so reads "零点".
  std::string text = float_text(n);
  std::string digits;
  std::size_t dot = text.find('.');
  if (dot != std::string::npos) {
    for (char c : std::string_view(text).substr(dot + 1)) {
      if (c >= '0' && c <= '9') digits += normalize_zh::to_cardinal_zh(static_cast<u128>(c - '0'));
    }
  }
  return cardinal_zh(std::trunc(n)) + "点" + digits;
}

PyObject* to_cardinal_zh_py(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  PyObject* slots[1];
  if (!bind("to_cardinal_zh", kNParam, false, args, nargs, kwnames, slots)) return nullptr;
  auto value = to_f64(slots[0], "n");
  if (!value) return nullptr;
  const double n = *value;
  return guarded([&]() -> PyObject* {
    if (std::fabs(n) >= 1e16) {
      std::string message = "Number " + float_text(n) + " is too large (max 10^16)";
      PyErr_SetString(PyExc_OverflowError, message.c_str());
      return nullptr;
    }
    return to_str(number_zh(n));
  });
}

constexpr Param kCurrencyParams[] = {{"value", true}, {"currency", true}};

// ‘12.5’ -> ‘十二元五十分’; a negative amount reads its own value after "负".
std::string currency_zh(double value, std::string_view currency) {
  const double v = std::fabs(value);
  const double whole = std::trunc(v);
  // std::round rounds halves away from zero.
  const std::int64_t cents = saturating_i64(std::round((v - whole) * 100.0));
  std::string out = cardinal_zh(whole);
  out.append(currency);
  if (cents > 0) out += normalize_zh::to_cardinal_zh(static_cast<u128>(cents)) + "分";
  return value < 0 && (whole > 0 || cents > 0) ? "负" + out : out;
}

PyObject* to_currency_zh_py(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  PyObject* slots[2];
  if (!bind("to_currency_zh", kCurrencyParams, false, args, nargs, kwnames, slots)) return nullptr;
  auto value = to_f64(slots[0], "value");
  if (!value) return nullptr;
  auto currency = to_text(slots[1], "currency");
  if (!currency) return nullptr;
  return guarded([&] { return to_str(currency_zh(*value, *currency)); });
}

constexpr Param kYearParam[] = {{"year", true}};

PyObject* to_year_zh_py(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  PyObject* slots[1];
  if (!bind("to_year_zh", kYearParam, false, args, nargs, kwnames, slots)) return nullptr;
  auto year = to_i64(slots[0], "year");
  if (!year) return nullptr;
  return guarded([&] {
    i128 y = *year;
    return to_str(normalize_zh::to_year_zh(static_cast<u128>(y < 0 ? -y : y)));
  });
}

#define KALVESTA_FASTCALL(f) reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)(void)>(f))

PyMethodDef kMethods[] = {
    {"normalize", KALVESTA_FASTCALL(normalize_py), METH_FASTCALL | METH_KEYWORDS,
     "normalize(text, language, options_json=\"\")\n--\n\n"},
    {"supported_languages", supported_languages_py, METH_NOARGS, "supported_languages()\n--\n\n"},
    {"to_cardinal_ms", KALVESTA_FASTCALL(to_cardinal_ms_py), METH_FASTCALL | METH_KEYWORDS,
     "to_cardinal_ms(n)\n--\n\n"},
    {"extract_entities", KALVESTA_FASTCALL(extract_entities_py), METH_FASTCALL | METH_KEYWORDS,
     "extract_entities(text, tags=None)\n--\n\n"
     "Engine entity extraction: returns (protected_text, [(tag, text, id), ...])\n"
     "with `<<<TAG_ID>>>` placeholders \u2014 all 13 types, python's extraction order.\n"
     "Extract with an optional type filter: tags is a list of engine tags\n"
     "(URL, EMAIL, ...); empty means extract everything. Returns\n"
     "(protected_text, [(tag, text, id), ...]) with ids numbered in result\n"
     "order (python semantics: next_id increments per claimed entity)."},
    {"entity_to_spoken", KALVESTA_FASTCALL(entity_to_spoken_py), METH_FASTCALL | METH_KEYWORDS,
     "entity_to_spoken(text, tag, language)\n--\n\n"
     "Engine entity speech: convert one extracted entity to its spoken form."},
    {"to_cardinal_id", KALVESTA_FASTCALL(to_cardinal_id_py), METH_FASTCALL | METH_KEYWORDS,
     "to_cardinal_id(n, /)\n--\n\n"},
    {"to_cardinal_zh", KALVESTA_FASTCALL(to_cardinal_zh_py), METH_FASTCALL | METH_KEYWORDS,
     "to_cardinal_zh(n)\n--\n\n"},
    {"to_currency_zh", KALVESTA_FASTCALL(to_currency_zh_py), METH_FASTCALL | METH_KEYWORDS,
     "to_currency_zh(value, currency)\n--\n\n"},
    {"to_year_zh", KALVESTA_FASTCALL(to_year_zh_py), METH_FASTCALL | METH_KEYWORDS, "to_year_zh(year)\n--\n\n"},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef kModule = {PyModuleDef_HEAD_INIT, "_core", "", -1, kMethods, nullptr, nullptr, nullptr, nullptr};

PyObject* g_module = nullptr;
std::int64_t g_interpreter = -1;

}  // namespace
}  // namespace kalvesta::pybind

PyMODINIT_FUNC PyInit__core() {
  using namespace kalvesta::pybind;
  const std::int64_t interp = PyInterpreterState_GetID(PyInterpreterState_Get());
  if (g_module != nullptr) {
    if (interp != g_interpreter) {
      PyErr_SetString(PyExc_ImportError, "kalvesta._core cannot be imported into more than one interpreter");
      return nullptr;
    }
    Py_INCREF(g_module);
    return g_module;
  }
  // The exception class lives in the package (so that it is not an
  // attribute of _core); it derives from BaseException.
  Ref errors(PyImport_ImportModule("kalvesta._errors"));
  if (errors) {
    g_panic_exception = PyObject_GetAttrString(errors.get(), "PanicException");
  }
  if (g_panic_exception == nullptr) PyErr_Clear();
  PyObject* module = PyModule_Create(&kModule);
  if (module == nullptr) return nullptr;
  g_module = module;
  g_interpreter = interp;
  Py_INCREF(g_module);  // kept for later imports in this process
  return module;
}
