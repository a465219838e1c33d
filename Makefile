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

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

clean:
	rm -rf $(BUILD)

# Installs the game for the current user; PREFIX=/usr/local installs it for everyone (needs write
# access there).
PREFIX ?= $(HOME)/.local
.PHONY: install
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
