# The set-up commands of the README: `make play`, `make test`, `make install`, `make deb`.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: build play test check check-build test-deps deps bench clean install uninstall deb

# Every core the machine has; tests run four to a core, as most of them wait on X servers and timers
JOBS := $(shell nproc 2>/dev/null || echo 2)
TEST_JOBS := $(shell echo $$(($(JOBS) * 4)))

# configure DIR, FLAGS: cmake's output is shown only when it fails.
configure = mkdir -p $(1) && cmake -S . -B $(1) -G Ninja $(2) >$(1)/configure.log 2>&1 || \
	{ cat $(1)/configure.log; exit 1; }

# The game and everything `make install` puts in place.
build: deps
	@$(call configure,$(BUILD),$(CMAKE_FLAGS))
	@cmake --build $(BUILD) -j$(JOBS) --target install_inputs

deps:
	@tools/install-deps.sh play

# Builds the game and its pictures only, never the tests.
play: deps
	@$(call configure,$(BUILD),$(CMAKE_FLAGS))
	@cmake --build $(BUILD) -j$(JOBS) --target tapdash play_folder
	cd $(BUILD)/play && ../tapdash

# The whole suite twice: on the normal build, then on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the test that caused it. Only these builds
# treat warnings as errors; they have folders of their own, so `make play` after `make test` never
# inherits their settings.
TESTED := $(BUILD)-test
SANITIZED := $(BUILD)-sanitize
# Their debug information is line tables only (enough for a sanitizer's or debugger's backtrace):
# full debug information would cost a third of their compile time.
TEST_FLAGS := -DTAPDASH_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
	-DCMAKE_CXX_FLAGS_RELWITHDEBINFO='-O2 -g1 -DNDEBUG' -DCMAKE_CXX_FLAGS_DEBUG=-g1
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

# The benchmark programs are built too (not run), so a change that breaks them fails here. The
# sanitized build compiles from the start, at a lower priority: it takes what the first build and
# the first pass leave of the machine (their tests mostly wait for X servers and timers). It runs in
# a session of its own (so that a failure stops all of it), and where the scheduler shares the
# machine between sessions, that session's share is lowered too. It is a
# unity build (sources compiled in batches, a quarter less work); the first build compiles each
# source alone, so a source that leans on another's includes still fails there.
test: test-deps
	@$(call configure,$(SANITIZED),-DCMAKE_BUILD_TYPE=Debug -DTAPDASH_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON $(TEST_FLAGS))
	@setsid sh -c 'echo 10 >/proc/self/autogroup; exec nice -n 10 cmake --build $(SANITIZED) -j$(JOBS)' \
		>$(SANITIZED)/build.log 2>&1 & building=$$!; \
		($(MAKE) --no-print-directory check-build && cd $(TESTED) && ctest --output-on-failure -j$(TEST_JOBS)) || \
			{ kill -- -$$building; exit 1; }; \
		wait $$building || { cat $(SANITIZED)/build.log; exit 1; }; \
		echo "The same tests on the sanitized build:"; \
		cd $(SANITIZED) && $(SANITIZER_ENV) ctest --output-on-failure -j$(TEST_JOBS)

# The quick loop: the normal test build, then every test program but the end-to-end tests.
check: check-build
	cd $(TESTED) && ctest --output-on-failure -j$(TEST_JOBS) -LE e2e

check-build: test-deps
	@[ -f $(TESTED)/build.ninja ] || $(call configure,$(TESTED),$(CMAKE_FLAGS) $(TEST_FLAGS) -DTAPDASH_BENCH=ON)
	@cmake --build $(TESTED) -j$(JOBS) --target all bench_inputs

test-deps:
	@tools/install-deps.sh test && tools/install-deps.sh bench

# The speed figures, on a release build of their own, as one table kept in bench/RESULTS.md.
bench:
	@tools/install-deps.sh bench
	@$(call configure,build-bench,-DCMAKE_BUILD_TYPE=Release -DTAPDASH_BENCH=ON)
	@cmake --build build-bench -j$(JOBS) --target bench_inputs >build-bench/build.log 2>&1 || { cat build-bench/build.log; exit 1; }
	@bench/run.sh build-bench

# The Debian package, tapdash_VERSION_ARCH.deb in this folder, from a release build of its own
# with Debian's hardening flags.
deb: export DEB_BUILD_MAINT_OPTIONS := hardening=+all
deb:
	@tools/install-deps.sh deb
	@export CXXFLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" && \
		$(call configure,build-deb,-DCMAKE_BUILD_TYPE=Release -DTAPDASH_DEBIAN_PACKAGE=ON)
	@cmake --build build-deb -j$(JOBS) --target install_inputs
	cd build-deb && cpack
	mv build-deb/tapdash_*.deb .

clean:
	rm -rf $(BUILD) $(TESTED) $(SANITIZED) build-bench build-deb

# `make install` puts the game under ~/.local for the current user; as root (sudo) it puts it
# under /usr/local, and then installs only what a `make build` run as the user has built: it never
# runs the package installer or a build as root. `make uninstall` (same PREFIX) takes back exactly
# what the installs there put in place.
ifeq ($(shell id -u),0)
PREFIX ?= /usr/local
install:
else
PREFIX ?= $(HOME)/.local
install: build
endif
	@tools/install-tree.sh install $(BUILD) $(PREFIX)

uninstall:
	@tools/install-tree.sh uninstall $(BUILD) $(PREFIX)
