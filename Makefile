BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test package clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@BUILD=$(abspath $(BUILD)) scripts/run

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian packages murel and murel-player (and their -dbgsym) in $(BUILD).
package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
