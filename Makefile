# Thin layer over CMake. `make run` builds and starts the program, `make test`
# builds and runs every test (plain, then under the sanitizers), `make bench` runs
# the benchmarks, `make fuzz` runs each fuzz target for FUZZ_SECONDS.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
TIDY_BUILD ?= build-tidy
JOBS ?= 2
FUZZ_SECONDS ?= 60

.PHONY: all configure build run test test-plain test-sanitize bench fuzz package tidy clean

all: build

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/shell/zeptor

test: test-plain test-sanitize

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZEPTOR_SANITIZE=ON -DZEPTOR_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

fuzz:
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZEPTOR_FUZZ=ON -DZEPTOR_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_dvlfile fuzz_numbertext
	mkdir -p $(FUZZ_BUILD)/corpus-dvlfile $(FUZZ_BUILD)/corpus-numbertext
	$(FUZZ_BUILD)/fuzz/fuzz_dvlfile -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-dvlfile examples
	$(FUZZ_BUILD)/fuzz/fuzz_numbertext -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-numbertext fuzz/seeds-numbertext

package: build
	cd $(BUILD) && cpack -G DEB

# clang-tidy with the repository's .clang-tidy over the core and the command-line
# program; any finding fails the target. The moc step runs first so that generated
# headers exist.
TIDY_SOURCES = $(wildcard calc/*.cpp) appendages/fittings.cpp \
  project/dvlreader.cpp project/dvlwriter.cpp project/datetext.cpp project/loadcase.cpp \
  project/projectcase.cpp project/reportlayout.cpp shell/basgeneral.cpp $(wildcard cli/*.cpp)

tidy:
	cmake -S . -B $(TIDY_BUILD) -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DZEPTOR_BUILD_BENCH=OFF
	cmake --build $(TIDY_BUILD) -j$(JOBS) --target zeptor_core_autogen zeptor_batch_autogen zeptor-cli_autogen
	printf '%s\n' $(TIDY_SOURCES) | xargs -P$(JOBS) -n1 clang-tidy -p $(TIDY_BUILD) --quiet --warnings-as-errors='*'

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
