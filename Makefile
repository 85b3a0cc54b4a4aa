# Thin layer over CMake. `make run` builds and starts the program, `make test`
# builds and runs every test, `make bench` runs the benchmarks.
BUILD ?= build
JOBS ?= 2

.PHONY: all configure build run test bench clean

all: build

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/cli/zeptor-cli report examples/turbulent.dvl

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)
