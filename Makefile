# Thin layer over CMake and its presets (CMakePresets.json). `make run` builds and starts
# the program; `make test` checks the formatting, runs clang-tidy over the core, then
# builds and runs every test (plain, then under the sanitizers); `make bench` runs the
# benchmarks, `make fuzz` runs each fuzz target for FUZZ_SECONDS.
# The folders are the presets' binary folders: dev, asan and release.
BUILD := build
SANITIZE_BUILD := build-sanitize
RELEASE_BUILD := build-release
FUZZ_BUILD ?= build-fuzz
JOBS ?= 2
FUZZ_SECONDS ?= 60

.PHONY: all configure build run release test test-plain test-sanitize format-check tidy bench fuzz \
	package clean

all: build

configure:
	cmake --preset dev

build: configure
	cmake --build --preset dev -j$(JOBS)

run: build
	./$(BUILD)/shell/zeptor

release:
	cmake --preset release
	cmake --build --preset release -j$(JOBS)

# What CI runs (through quickstart.sh): a formatting difference or a clang-tidy finding
# fails it as a failing test does.
test: format-check tidy test-plain test-sanitize

test-plain: build
	ctest --preset dev -j$(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	cmake --preset asan
	cmake --build --preset asan -j$(JOBS)
	ctest --preset asan -j$(JOBS)

# Every tracked C++ file against .clang-format; `clang-format -i FILE` mends one.
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)

format-check:
	@clang-format --dry-run --Werror $(FORMAT_FILES)
	@echo "format: $(words $(FORMAT_FILES)) files as .clang-format has them"

# clang-tidy with the repository's .clang-tidy over every file of the libraries, the
# windows included, and of zeptor-cli, as the dev build's compile_commands.json lists
# them. The moc and uic steps run first so that the generated headers exist.
TIDY_TARGETS = zeptor_numerics zeptor_core zeptor_ui zeptor_batch zeptor-cli
tidy: configure
	cmake --build $(BUILD) -j$(JOBS) --target $(addsuffix _autogen,$(TIDY_TARGETS))
	python3 tools/tidy.py $(BUILD) $(JOBS) $(TIDY_TARGETS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

fuzz:
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZEPTOR_FUZZ=ON -DZEPTOR_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_dvlfile fuzz_numbertext fuzz_pumpcsv \
	  fuzz_pipetable
	mkdir -p $(FUZZ_BUILD)/corpus-dvlfile $(FUZZ_BUILD)/corpus-numbertext \
	  $(FUZZ_BUILD)/corpus-pumpcsv $(FUZZ_BUILD)/corpus-pipetable
	cp examples/pump-curve.csv $(FUZZ_BUILD)/corpus-pumpcsv/
	cp examples/steel-pipes.csv $(FUZZ_BUILD)/corpus-pipetable/
	$(FUZZ_BUILD)/fuzz/fuzz_dvlfile -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-dvlfile examples
	$(FUZZ_BUILD)/fuzz/fuzz_numbertext -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-numbertext fuzz/seeds-numbertext
	$(FUZZ_BUILD)/fuzz/fuzz_pumpcsv -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-pumpcsv
	$(FUZZ_BUILD)/fuzz/fuzz_pipetable -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-pipetable

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD)
