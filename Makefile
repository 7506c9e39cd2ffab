# The two entry points of the README: `make run` and `make test`; `make check`
# runs the content checker over the game folder (GAME, default assets).
# Both install what is missing first, then configure and build with CMake + Ninja.

BUILD_ROOT  ?= build
RELEASE_DIR ?= $(BUILD_ROOT)/release
TEST_DIR    ?= $(BUILD_ROOT)/test
FUZZ_DIR    ?= $(BUILD_ROOT)/fuzz
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 600
CTEST_ARGS  ?=
# The game folder `make check` checks.
GAME        ?= assets

# ccache hits across build folders (release, test, per-developer trees).
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps build run check build-test test fuzz bench clean format

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE_DIR)

run: build
	@scripts/run-game.sh $(RELEASE_DIR)/apps/tarrow/tarrow --dev $(ARGS)

# The tools are built beside tarrow: $(RELEASE_DIR)/apps/tarrow/modcheck --help
check: build
	@$(RELEASE_DIR)/apps/tarrow/modcheck $(GAME)

build-test: deps
	@cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARROW_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR)

# The screenshot tour leaves its pictures in $(BUILD_ROOT)/tour for review.
test: build-test
	@TARROW_TOUR_DIR=$(CURDIR)/$(BUILD_ROOT)/tour scripts/run-tests.sh $(TEST_DIR) $(CTEST_ARGS)

# The fuzz targets of tests/fuzz built with clang's libFuzzer and the
# sanitizers, each run for FUZZ_SECONDS on a copy of its seed corpus.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DTARROW_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) --target fuzz_targets
	@scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: build
	@scripts/run-benchmarks.sh $(RELEASE_DIR)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_ROOT)
