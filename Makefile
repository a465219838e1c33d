# The two set-up commands of the README: `make play` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: play test build deps bench clean

deps:
	@tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j2

play: build
	@cmake --build $(BUILD) --target play_folder
	cd $(BUILD)/play && ../tapdash

# The whole suite twice: on the normal build, then on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the test that caused it.
SANITIZED := $(BUILD)-sanitize
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

test: build
	cd $(BUILD) && ctest --output-on-failure -j2
	@cmake -S . -B $(SANITIZED) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAPDASH_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZED) -j2
	cd $(SANITIZED) && $(SANITIZER_ENV) ctest --output-on-failure -j2

# The speed figures, on a release build of their own, as one table kept in bench/RESULTS.md.
bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j2 --target bench_inputs >build-bench/build.log 2>&1 || { cat build-bench/build.log; exit 1; }
	@bench/run.sh build-bench

clean:
	rm -rf $(BUILD) $(SANITIZED)

# Installs the game for the current user; PREFIX=/usr/local installs it for everyone (needs write
# access there).
PREFIX ?= $(HOME)/.local
.PHONY: install
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
