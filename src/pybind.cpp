#define PY_SSIZE_T_CLEAN
#include <Python.h>
static PyModuleDef kModule = {PyModuleDef_HEAD_INIT, "_core", nullptr, -1, nullptr, nullptr, nullptr, nullptr, nullptr};
PyMODINIT_FUNC PyInit__core() { return PyModule_Create(&kModule); }
