BUILD ?= build
JOBS ?= $(shell nproc)
# Tests at a time. Most of them wait on a window or a timer: twice the
# cores (4 on two) ran the suite in about 100 s instead of 125 s.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))
# PRESET=sanitize (or strict) builds and tests with that preset of
# CMakePresets.json, in its own folder build-<preset>.
PRESET ?=
# Compiles go through ccache when it is installed (CCACHE=0: never). Paths
# under this folder count relative to it, so a copy of the tree elsewhere
# (e2e/offline builds one) finds the same objects.
CCACHE ?= $(shell command -v ccache 2>/dev/null)
ifneq ($(filter-out 0,$(CCACHE)),)
LAUNCHER = -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
endif
ifneq ($(PRESET),)
BUILD := build-$(PRESET)
CONFIGURE = cmake --preset $(PRESET) $(LAUNCHER)
TEST = ctest --preset $(PRESET) -j $(TEST_JOBS)
else
CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)
TEST = cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)
endif

.PHONY: all deps deps-test build run test package windows windows-test clean

all: build

# What building and running need; the tests' tools come with `make test`.
deps:
	@scripts/install-deps run

deps-test:
	@scripts/install-deps test

build: deps
	@$(CONFIGURE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@BUILD=$(abspath $(BUILD)) scripts/run

test: deps-test build
	@$(TEST)

# The Debian packages murel and murel-player (and their -dbgsym) in $(BUILD).
package: build
	@cd $(BUILD) && cpack -G DEB

# The Windows program, cross-built in build-windows/: murel.exe with what it
# needs beside it, its installer and a portable zip (scripts/windows/build).
windows:
	@JOBS=$(JOBS) scripts/windows/build

# The same with the strict warnings, then its tests under Wine and one
# end-to-end run of the installer and the installed program.
windows-test: deps-test
	@JOBS=$(JOBS) scripts/windows/test

clean:
	rm -rf $(BUILD)
