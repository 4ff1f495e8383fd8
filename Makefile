# The two commands of the README: `make demo` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all demo test test-sanitize test-valgrind fuzz bench windows clean

all: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --parallel

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

demo: all
	cd examples && ../$(BUILD)/zmlfc demo.ls

test: all
	cd $(BUILD) && ctest --output-on-failure

# The whole test suite with AddressSanitizer and UBSan; the Wine tests reuse
# the Windows program of the plain build.
test-sanitize:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DZMLFC_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZMLFC_WINDOWS_BUILD=$(CURDIR)/$(BUILD)-win $(CMAKE_FLAGS)"

# The end-to-end suite with the program under valgrind's memcheck: any
# error or leak fails the run (status 99, valgrind's report on standard
# error). Tests that need the program to run directly skip themselves; the
# Windows build's own platform tests are left out. Takes minutes.
VALGRIND ?= valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
  --show-leak-kinds=definite,indirect
test-valgrind: all
	cd $(BUILD) && ZMLFC_LAUNCHER="$(VALGRIND)" tests/zmlfc_e2e_tests --gtest_filter='-PlatformSide.*'

# Runs every fuzz target for FUZZ_SECONDS each, from its seed corpus; a
# fault fails the target and shows the fuzzer's report.
FUZZ_SECONDS ?= 60
fuzz:
	CC=clang CXX=clang++ $(MAKE) all BUILD=build-fuzz CMAKE_FLAGS="-DZMLFC_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo"
	@set -e; for fuzzer in build-fuzz/tests/fuzz/*_fuzzer; do \
	  name=$$(basename $$fuzzer _fuzzer); \
	  mkdir -p build-fuzz/corpus/$$name; \
	  echo "== $$name: $(FUZZ_SECONDS) s"; \
	  $$fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=build-fuzz/ \
	    build-fuzz/corpus/$$name tests/fuzz/corpus/$$name > build-fuzz/$$name.log 2>&1 || \
	    { tail -n 60 build-fuzz/$$name.log; exit 1; }; \
	  grep -E '^stat::number_of_executed_units|Done' build-fuzz/$$name.log; \
	done

# Builds the benchmarks in their own Release directory and runs them: the
# program against zlib, iconv and msgfmt, then the micro-benchmarks. Takes
# minutes, since the largest source is compressed several times.
BENCH_BUILD ?= build-bench
bench:
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DZMLFC_BENCH=ON -DZMLFC_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) --parallel
	bench/run $(BENCH_BUILD)

# The Windows program, cross-built with MinGW-w64: $(WINDOWS_BUILD)/zmlfc.exe.
WINDOWS_BUILD ?= build-win
windows:
	test -f $(WINDOWS_BUILD)/CMakeCache.txt || cmake -S . -B $(WINDOWS_BUILD) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD) --parallel

clean:
	rm -rf $(BUILD)
