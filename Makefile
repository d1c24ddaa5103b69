# Fresh machine: `make run` sets up, builds the game alone and starts it;
# `make test` sets up, builds everything and runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
FUZZ_TIME  ?= 20
JOBS       ?= $(shell nproc)

.PHONY: setup build build-game test test-main test-asan test-tsan run bench bench-quick fuzz clean

setup:
	bash scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The program and the libraries it links, none of the tests, benchmarks,
# fuzz harnesses and generators.
build-game: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target reversi -j $(JOBS)

test: test-main test-asan test-tsan

test-main: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite again under AddressSanitizer and UBSan (the widget tests
# on the offscreen platform): no read or write out of bounds, no use after
# free, no undefined behaviour, no leak, anywhere in the program.
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DREVERSI_SANITIZE=ON \
	  -DREVERSI_BUILD_BENCH=OFF -DREVERSI_BUILD_TOOLS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:strict_init_order=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# The code that starts threads, under ThreadSanitizer: the search thread and
# the search helpers, the game controller's computer turns, the thread-driven
# timers, the held buttons and the about box's animation; part of test. (The widget tests at large stay out: Qt's
# own thread pool, which paints and converts pictures, is not built for the
# tool and drowns them in reports about its inner locking.)
TSAN_TESTS = ^(SplitBoard|SearchThread|SearchThreadFixture|FastSearch|AllLevels/FastSearchCompare\.SameAnswersAsTheReferenceAtDepthsOneToSeven|GameControllerTest|AsyncTimerTest|AutoRepeatTest|AboutBox)[./]

test-tsan: setup
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREVERSI_TSAN=ON \
	  -DREVERSI_BUILD_BENCH=OFF -DREVERSI_BUILD_TOOLS=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target engine_tests graphics_tests game_tests app_tests
	cd $(TSAN_BUILD) && \
	  TSAN_OPTIONS=suppressions=$(CURDIR)/tests/tsan.supp:second_deadlock_stack=1 \
	  ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

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

run: build-game
	$(BUILD)/bin/reversi

# Every benchmark program in bench/; the quick run keeps the search at depth 5.
BENCHES = search_bench graphics_bench pictures_bench intro_bench net_bench

bench: build
	cd $(BUILD)/bin && for b in $(BENCHES); do ./$$b || exit 1; done

bench-quick: build
	cd $(BUILD)/bin && ./search_bench --quick && ./graphics_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
