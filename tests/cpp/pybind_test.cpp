// The Python boundary: a C++ failure inside a function becomes the right
// Python exception and leaves the interpreter usable. The module's own
// translation unit is compiled in, so its internal helpers are reachable
// without being part of the module's surface.
#include "../../src/pybind.cpp"

#include <gtest/gtest.h>

namespace kalvesta::pybind {
namespace {

class PythonBoundary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!Py_IsInitialized()) Py_Initialize();
  }
};

std::string fetch_message() {
  PyObject *type, *value, *tb;
  PyErr_Fetch(&type, &value, &tb);
  Ref t(type), v(value), trace(tb);
  Ref s(v ? PyObject_Str(v.get()) : nullptr);
  const char* text = s ? PyUnicode_AsUTF8(s.get()) : nullptr;
  return text ? text : "";
}

TEST_F(PythonBoundary, internal_failure_becomes_panic_exception) {
  PyObject* r = guarded([]() -> PyObject* { throw InternalFailure("pattern matching failed"); });
  EXPECT_EQ(r, nullptr);
  ASSERT_TRUE(PyErr_Occurred());
  EXPECT_TRUE(PyErr_ExceptionMatches(panic_type()));
  EXPECT_FALSE(PyErr_ExceptionMatches(PyExc_Exception));  // a BaseException only
  EXPECT_EQ(fetch_message(), "pattern matching failed");
  // The next call runs normally.
  Ref ok(guarded([] { return to_str("fine"); }));
  ASSERT_TRUE(ok);
  EXPECT_STREQ(PyUnicode_AsUTF8(ok.get()), "fine");
}

TEST_F(PythonBoundary, other_exceptions_never_escape) {
  PyObject* r = guarded([]() -> PyObject* { throw std::out_of_range("basic_string::substr"); });
  EXPECT_EQ(r, nullptr);
  EXPECT_TRUE(PyErr_ExceptionMatches(panic_type()));
  PyErr_Clear();
  r = guarded([]() -> PyObject* { throw std::bad_alloc(); });
  EXPECT_EQ(r, nullptr);
  EXPECT_TRUE(PyErr_ExceptionMatches(PyExc_MemoryError));
  PyErr_Clear();
  r = guarded([]() -> PyObject* { throw 42; });
  EXPECT_EQ(r, nullptr);
  EXPECT_TRUE(PyErr_ExceptionMatches(panic_type()));
  PyErr_Clear();
}

TEST_F(PythonBoundary, type_errors_get_the_argument_name_and_keep_the_cause) {
  Ref cause(PyObject_CallFunction(PyExc_KeyError, "s", "inner"));
  PyErr_SetString(PyExc_TypeError, "bad value");
  PyObject *type, *value, *tb;
  PyErr_Fetch(&type, &value, &tb);
  PyErr_NormalizeException(&type, &value, &tb);
  PyException_SetCause(value, Py_NewRef(cause.get()));
  PyErr_Restore(type, value, tb);
  name_type_error("tags");
  PyErr_Fetch(&type, &value, &tb);
  PyErr_NormalizeException(&type, &value, &tb);
  Ref t(type), v(value), trace(tb);
  EXPECT_TRUE(PyErr_GivenExceptionMatches(t.get(), PyExc_TypeError));
  Ref s(PyObject_Str(v.get()));
  EXPECT_STREQ(PyUnicode_AsUTF8(s.get()), "argument 'tags': bad value");
  Ref got_cause(PyException_GetCause(v.get()));
  EXPECT_EQ(got_cause.get(), cause.get());
}

// A negative amount keeps its value after "负"; nothing is left to sign when
// it rounds to nothing.
TEST(pybind_readings, negative_numbers_read_their_own_value) {
  struct Case { double value; std::string_view number, money; };
  constexpr Case kCases[] = {
      {-5.25, "负五点二五", "负五元二十五分"}, {-3.75, "负三点七五", "负三元七十五分"}, {-0.5, "负零点五", "负零元五十分"}, {-12.0, "负十二", "负十二元"},
      {-0.001, "负零点零零一", "零元"}, {-0.0, "零", "零元"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(number_zh(c.value), c.number) << c.value;
    EXPECT_EQ(currency_zh(c.value, "元"), c.money) << c.value;
  }
}

}  // namespace
}  // namespace kalvesta::pybind
