# Dralmoft: `make` builds both targets; `make test`, `make run` and `make bench`
# first install what is missing on a Debian machine.

HOST_DIR  := build/host
WIN_DIR   := build/win
BENCH_DIR := build/bench
TSAN_DIR  := build/tsan
JOBS      ?= $(shell nproc)

.PHONY: all host win tsan deps test run bench fuzz screenshots code-pages dist clean

all: host win

$(HOST_DIR)/CMakeCache.txt:
	cmake -S . -B $(HOST_DIR) -DCMAKE_BUILD_TYPE=Debug

$(WIN_DIR)/CMakeCache.txt:
	cmake -S . -B $(WIN_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake

host: $(HOST_DIR)/CMakeCache.txt
	cmake --build $(HOST_DIR) -j $(JOBS)

win: $(WIN_DIR)/CMakeCache.txt
	cmake --build $(WIN_DIR) -j $(JOBS)

# The tests of the export's threads, under ThreadSanitizer.
$(TSAN_DIR)/CMakeCache.txt:
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DDRALMOFT_TSAN=ON

tsan: $(TSAN_DIR)/CMakeCache.txt
	cmake --build $(TSAN_DIR) -j $(JOBS) --target pipeline_tests

deps:
	scripts/install-deps.sh

test: deps
	$(MAKE) all tsan
	scripts/make-dist.sh
	scripts/run-tests.sh

run: deps
	$(MAKE) win
	scripts/run-demo.sh

bench: deps
	$(MAKE) win
	scripts/run-bench.sh

# The mapping-file reader under libFuzzer for FUZZ_SECONDS (default 600).
FUZZ_SECONDS ?= 600
fuzz: deps
	CXX=clang++ cmake -S tests/fuzz -B build/fuzz -DCMAKE_BUILD_TYPE=Debug
	cmake --build build/fuzz -j $(JOBS)
	mkdir -p build/fuzz/corpus
	build/fuzz/mapping_file_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 build/fuzz/corpus tests/fuzz/corpus

# The installer and the portable zip, in build/dist/.
dist: deps
	$(MAKE) win
	scripts/make-dist.sh

# Pictures of the windows under Xvfb, in build/screenshots/.
screenshots: deps
	$(MAKE) win
	scripts/screenshots.sh

# The code-page tables again, from the system's own conversions under Wine.
code-pages: deps
	$(MAKE) win
	scripts/dump-code-pages.sh

clean:
	rm -rf $(HOST_DIR) $(WIN_DIR) $(BENCH_DIR) $(TSAN_DIR) build/fuzz build/dist
