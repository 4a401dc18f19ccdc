# make run  - install what is missing, build, start the calculator
# make test - the same set-up, then every test
PRESET ?= default
MAKEFLAGS += --no-print-directory
BUILD_DIR := build/$(PRESET)

.PHONY: all deps configure build run test clean format lint mutants bench fuzz mathcheck \
	test-i386 test-wasm windows test-windows web serve-web wasm-configure wasm-build npm

all: build

deps:
	@scripts/deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@scripts/build.sh $(PRESET)

run: build
	@scripts/run.sh $(BUILD_DIR)

test: build wasm-build
	@ctest --preset $(PRESET)
	@NODE_PATH=/usr/share/nodejs ctest --preset wasm

# The maths functions against MPFR on ten million random arguments each.
MATH_SAMPLES ?= 10000000
mathcheck: build
	@QUORBIT1_MATH_SAMPLES=$(MATH_SAMPLES) $(BUILD_DIR)/tests/math_tests --gtest_brief=1

# The engine's tests, digests of every function's bits among them, built for 32-bit x86 and
# for WebAssembly run by node: the same answers, bit for bit, as here.
test-i386:
	@scripts/deps.sh i386
	@cmake --preset i386 >/dev/null
	@scripts/build.sh i386
	@ctest --preset i386

# Debian's emscripten looks for its node modules in /usr/share/nodejs; node's own fetch(),
# which this emscripten's loader would take for reading a local file, is switched off.
# The page (make web) is part of the same build: its module is checked by node against the
# tables, the page itself in headless chromium.
web npm test-wasm wasm-configure wasm-build: export NODE_PATH := /usr/share/nodejs
# emcmake names the command it runs on standard error; its output is shown only on a failure.
wasm-configure:
	@scripts/deps.sh wasm
	@log=$$(mktemp) && trap 'rm -f "$$log"' EXIT && \
	  emcmake cmake --preset wasm \
	  -DCMAKE_CROSSCOMPILING_EMULATOR="$$(command -v node);--no-experimental-fetch" >"$$log" 2>&1 \
	  || { cat "$$log"; exit 1; }

# The page alone: the module and quorbit1.html, none of the tests.
web: wasm-configure
	@scripts/build.sh wasm quorbit1_page
	@echo "build/wasm/web/site/quorbit1.html"

# The npm package, build/npm/quorbit1-<version>.tgz: the module with its wrapper and types.
npm: wasm-configure
	@scripts/build.sh wasm quorbit1_npm
	@mkdir -p build/npm && cp build/wasm/web/npm/quorbit1-*.tgz build/npm/
	@ls build/npm/quorbit1-*.tgz

wasm-build: wasm-configure
	@scripts/build.sh wasm

test-wasm: wasm-build
	@ctest --preset wasm

# The page and its app files on http://localhost:8000/quorbit1.html, as a static host has them.
serve-web: web
	@cd build/wasm/web/site && /usr/bin/python3 -m http.server --bind 127.0.0.1 8000

# The Windows programs, quorbit1.exe (the window) and quorbit1-cli.exe, cross-built with
# mingw-w64 for x64 and x86, each architecture's zip and installer:
# build/windows{,-x86}/quorbit1-<version>-windows-{x64,x86}{.zip,-setup.exe}.
WINDOWS_PRESETS := windows windows-x86
windows: web
	@scripts/deps.sh windows
	@for preset in $(WINDOWS_PRESETS); do \
	  cmake --preset $$preset -DQUORBIT1_PAGE=$(CURDIR)/build/wasm/web/site/quorbit1.html \
	    >/dev/null && scripts/build.sh $$preset && scripts/build.sh $$preset quorbit1_installer && \
	  (cd build/$$preset && cpack >/dev/null) && ls build/$$preset/*.zip build/$$preset/*-setup.exe \
	  || exit 1; \
	done

# The Windows suites under Wine, the console program's output against this build's, and the
# window, its zip and installer used as a person would, on a virtual display, for both
# architectures.
test-windows: windows build
	@tests/windows/run.sh $(BUILD_DIR)/cli/quorbit1-cli build/windows build/windows-x86

bench: build
	@scripts/bench.sh $(BUILD_DIR)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

lint: build
	@scripts/lint.sh $(BUILD_DIR)

# Seeded mutants of engine/ (its maths included) and core/ against the suite without the
# dialog (MUTANTS=80, MUTANTS_SEED=1 by default; MUTANTS_UNDER=engine/math for one folder);
# prints the kill rate and every surviving site.
mutants: deps
	@scripts/mutants.py

clean:
	rm -rf build

FUZZ_SECONDS ?= 120
fuzz: deps
	@scripts/fuzz.sh $(FUZZ_SECONDS)
