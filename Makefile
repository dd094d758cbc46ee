# The README's commands. Each installs what is missing first (scripts/install-deps.sh).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD)/host -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)/host -j$(JOBS)
	cmake -S . -B $(BUILD)/win -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
	cmake --build $(BUILD)/win -j$(JOBS)

run: build
	@scripts/run-demo.sh $(BUILD)

test: build
	@scripts/run-tests.sh $(BUILD)

bench: build
	@scripts/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
