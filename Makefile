# The README's two commands. Both first make sure the machine has what the
# build needs (Debian packages, a CPython 3.13 venv, the package installed).
SHELL := /bin/bash
.ONESHELL:
.SHELLFLAGS := -euo pipefail -c

VENV := .venv
PY := $(VENV)/bin/python
JOBS := $(shell nproc 2>/dev/null || echo 2)
CPP_BUILD := build/cpp

.PHONY: demo test setup deps venv install cpp-test py-test bench sanitize

demo: install
	$(PY) -m kalvesta._demo

test: install cpp-test py-test

setup: deps venv

deps:
	pkgs=""
	for p in libpcre2-dev libicu-dev nlohmann-json3-dev libgtest-dev pkg-config g++ make; do
	  dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q "install ok installed" || pkgs="$$pkgs $$p"
	done
	command -v cmake >/dev/null || pkgs="$$pkgs cmake"
	if [ -n "$$pkgs" ]; then
	  sudo=""; [ "$$(id -u)" -eq 0 ] || sudo="sudo"
	  echo "installing:$$pkgs"
	  $$sudo apt-get update -qq
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq $$pkgs >/dev/null
	fi

venv: deps
	if [ ! -x $(PY) ]; then
	  py=""
	  if command -v python3.13 >/dev/null && python3.13 -c 'import sys' 2>/dev/null; then py=$$(command -v python3.13)
	  else
	    for d in "$${PYENV_ROOT:-$$HOME/.pyenv}"/versions/3.13*/bin/python3.13; do [ -x "$$d" ] && py="$$d"; done
	  fi
	  if [ -z "$$py" ]; then
	    echo "warning: no CPython 3.13 found; building against $$(python3 --version) instead" >&2
	    py=$$(command -v python3)
	  fi
	  "$$py" -m venv $(VENV)
	fi
	$(PY) -m pip install -q --disable-pip-version-check --upgrade pip >/dev/null
	$(PY) -m pip install -q --disable-pip-version-check "scikit-build-core>=0.8" cmake ninja pytest hypothesis

install: venv
	$(PY) -m pip install -q --disable-pip-version-check --no-build-isolation .

cpp-test: deps venv
	$(VENV)/bin/cmake -S . -B $(CPP_BUILD) -DKALVESTA_TESTS=ON -DKALVESTA_PYTHON=OFF -DCMAKE_BUILD_TYPE=Release -DPython_EXECUTABLE=$(CURDIR)/$(PY) >/dev/null
	$(VENV)/bin/cmake --build $(CPP_BUILD) -j $(JOBS)
	$(VENV)/bin/ctest --test-dir $(CPP_BUILD) --output-on-failure -j $(JOBS)

py-test: install
	$(PY) -m pytest -q tests/python

# REF=rev also times that revision's build side by side (REF=reference: the
# revision named in bench/REFERENCE).
bench: install
	$(PY) bench/run.py $(if $(REF),--reference $(patsubst reference,,$(REF)))

# The C++ tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps venv
	$(VENV)/bin/cmake -S . -B build/sanitize -DKALVESTA_TESTS=ON -DKALVESTA_PYTHON=OFF -DKALVESTA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	$(VENV)/bin/cmake --build build/sanitize -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(VENV)/bin/ctest --test-dir build/sanitize --output-on-failure -j $(JOBS)
