# make run  - install what is missing, build, start the calculator
# make test - the same set-up, then every test
PRESET ?= default
MAKEFLAGS += --no-print-directory
BUILD_DIR := build/$(PRESET)

.PHONY: all deps configure build run test clean format bench fuzz

all: build

deps:
	@scripts/deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@scripts/run.sh $(BUILD_DIR)

test: build
	@ctest --preset $(PRESET)

bench: build
	@scripts/bench.sh $(BUILD_DIR)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

FUZZ_SECONDS ?= 120
fuzz: deps
	@scripts/fuzz.sh $(FUZZ_SECONDS)
