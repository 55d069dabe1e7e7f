# The README's two commands. Both first make sure the machine has what the
# build needs (Debian packages, a CPython 3.13 venv, the package installed).
# Recipes are not echoed: each step says what it installs or runs, and a build
# step prints its log only when it fails.
SHELL := /bin/bash
.ONESHELL:
.SHELLFLAGS := -euo pipefail -c
.SILENT:

VENV := .venv
PY := $(VENV)/bin/python
JOBS := $(shell nproc 2>/dev/null || echo 2)
CPP_BUILD := build/cpp
PIP := $(PY) -m pip install -qq --disable-pip-version-check
# The packages the README's apt-get line names.
DEBIAN_PACKAGES := libpcre2-dev libicu-dev nlohmann-json3-dev libgtest-dev pkg-config g++ make python3-dev python3-venv
# Extra arguments for bench/run.py, e.g. BENCH_ARGS=--quick.
BENCH_ARGS ?=

.PHONY: demo test setup deps venv install cpp-test py-test bench bench-quick sanitize

demo: install
	$(PY) -m kalvesta._demo

test: install cpp-test py-test

setup: deps venv

deps:
	pkgs=""
	for p in $(DEBIAN_PACKAGES); do
	  dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q "install ok installed" || pkgs="$$pkgs $$p"
	done
	command -v cmake >/dev/null || pkgs="$$pkgs cmake"
	if [ -n "$$pkgs" ]; then
	  sudo=""; [ "$$(id -u)" -eq 0 ] || sudo="sudo"
	  echo "installing Debian packages:$$pkgs"
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
	  echo "creating $(VENV) with $$("$$py" --version)"
	  "$$py" -m venv $(VENV)
	fi
	echo "installing the build and test tools into $(VENV) (pip)"
	$(PIP) --upgrade pip
	$(PIP) "scikit-build-core>=0.8" cmake ninja pytest hypothesis mypy

install: venv
	echo "building kalvesta and installing it into $(VENV)"
	$(PIP) --no-build-isolation .

cpp-test: deps venv
	echo "building the C++ tests in $(CPP_BUILD)"
	log=$(CPP_BUILD)/make.log
	mkdir -p $(CPP_BUILD)
	if ! { $(VENV)/bin/cmake -S . -B $(CPP_BUILD) -DKALVESTA_TESTS=ON -DKALVESTA_PYTHON=OFF -DCMAKE_BUILD_TYPE=Release -DPython_EXECUTABLE=$(CURDIR)/$(PY) \
	       && $(VENV)/bin/cmake --build $(CPP_BUILD) -j $(JOBS); } >$$log 2>&1; then
	  cat $$log; exit 1
	fi
	echo "running the C++ tests (ctest)"
	log=$(CPP_BUILD)/ctest.log
	if ! $(VENV)/bin/ctest --test-dir $(CPP_BUILD) --output-on-failure -j $(JOBS) >$$log 2>&1; then
	  grep -v -e ' Passed ' -e '^ *Start ' $$log; exit 1
	fi
	grep -e 'tests passed' -e 'No tests' $$log || true

py-test: install
	echo "running the Python tests (pytest)"
	$(PY) -m pytest -q tests/python
	echo "checking the type stub against the module (mypy.stubtest)"
	$(PY) -m mypy.stubtest kalvesta

# The full benchmark and a short run. REF=rev also times that revision's build
# side by side (REF=reference: the revision named in bench/REFERENCE), built
# into bench/.ref; BENCH_ARGS=--peers also installs and times the peer
# normalisers (into bench/.peers-venv; never by default).
BENCH = $(PY) bench/run.py $(if $(REF),--reference $(patsubst reference,,$(REF))) $(BENCH_ARGS)

bench: install
	$(BENCH)

bench-quick: install
	$(BENCH) --quick

# The C++ tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps venv
	$(VENV)/bin/cmake -S . -B build/sanitize -DKALVESTA_TESTS=ON -DKALVESTA_PYTHON=OFF -DKALVESTA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	$(VENV)/bin/cmake --build build/sanitize -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(VENV)/bin/ctest --test-dir build/sanitize --output-on-failure -j $(JOBS)
