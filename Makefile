BUILD ?= build
JOBS ?= $(shell nproc)
# PRESET=sanitize (or strict) builds and tests with that preset of
# CMakePresets.json, in its own folder build-<preset>.
PRESET ?=
ifneq ($(PRESET),)
BUILD := build-$(PRESET)
CONFIGURE = cmake --preset $(PRESET)
TEST = ctest --preset $(PRESET) -j $(JOBS)
else
CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
TEST = cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
endif

.PHONY: all deps build run test package clean

all: build

deps:
	@scripts/install-deps

build: deps
	@$(CONFIGURE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@BUILD=$(abspath $(BUILD)) scripts/run

test: build
	@$(TEST)

# The Debian packages murel and murel-player (and their -dbgsym) in $(BUILD).
package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
