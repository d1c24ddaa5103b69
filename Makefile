# Fresh machine: `make run` sets up, builds and starts the game;
# `make test` sets up, builds and runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_TIME  ?= 20
JOBS       ?= $(shell nproc)

.PHONY: setup build test test-main test-asan run bench bench-quick fuzz clean

setup:
	bash scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: test-main test-asan

test-main: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The engine and picture code again under AddressSanitizer and UBSan, where
# damaged files and boundary cases must not read or write out of bounds.
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DREVERSI_SANITIZE=ON \
	  -DREVERSI_BUILD_APP=OFF -DREVERSI_BUILD_BENCH=OFF -DREVERSI_BUILD_TOOLS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Every harness of fuzz/ built with clang for libFuzzer, each run for FUZZ_TIME
# seconds over a copy of its seed corpus (inputs it finds stay in
# $(FUZZ_BUILD)/corpus, crashes in $(FUZZ_BUILD)/artifacts). Not part of test.
fuzz: setup
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DREVERSI_FUZZ=ON \
	  -DREVERSI_BUILD_APP=OFF -DREVERSI_BUILD_BENCH=OFF -DREVERSI_BUILD_TOOLS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@set -e; cd $(FUZZ_BUILD); mkdir -p artifacts; \
	for harness in bin/fuzz_*; do \
	  name=$${harness#bin/fuzz_}; \
	  mkdir -p corpus/$$name; cp $(CURDIR)/fuzz/$$name/corpus/* corpus/$$name/; \
	  echo "== fuzzing $$name for $(FUZZ_TIME) s"; \
	  $$harness -max_total_time=$(FUZZ_TIME) -print_final_stats=1 \
	    -artifact_prefix=artifacts/$$name- corpus/$$name; \
	done

run: build
	$(BUILD)/bin/reversi

# Every benchmark program in bench/; the quick run keeps the search at depth 5.
BENCHES = search_bench graphics_bench pictures_bench intro_bench net_bench

bench: build
	cd $(BUILD)/bin && for b in $(BENCHES); do ./$$b || exit 1; done

bench-quick: build
	cd $(BUILD)/bin && ./search_bench --quick && ./graphics_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
