# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD  ?= build
SAN    ?= build-san
FUZZ   ?= build-fuzz
JOBS   ?= 2
CMAKE_GEN := -G Ninja

.PHONY: deps configure build run test test-sanitize fuzz-build fuzz-regress fuzz fuzz-seeds bench \
	format format-check clean

deps:
	@sh scripts/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_GEN)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Plays the demo game from its build folder (the program's own folder holds the archives).
run: build
	cd $(BUILD)/game && ./vespin

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Core, headless host and tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@test -f $(SAN)/CMakeCache.txt || cmake -S . -B $(SAN) $(CMAKE_GEN) -DVESPIN_SANITIZE=ON \
	    -DVESPIN_BUILD_QT=OFF -DVESPIN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
	@cmake --build $(SAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(SAN) --output-on-failure -j $(JOBS)

fuzz-build: deps
	@test -f $(FUZZ)/CMakeCache.txt || CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ) \
	    $(CMAKE_GEN) -DVESPIN_FUZZ=ON -DVESPIN_BUILD_QT=OFF -DVESPIN_BUILD_TESTS=OFF \
	    -DVESPIN_BUILD_BENCH=OFF -DVESPIN_BUILD_DEMO=OFF
	@cmake --build $(FUZZ) -j $(JOBS)

# Replays every fuzz corpus once (seconds).
fuzz-regress: fuzz-build
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	    ctest --test-dir $(FUZZ) --output-on-failure -R fuzz_regress

# Fuzzes every target (or FUZZ_TARGETS) for FUZZ_SECONDS each, one after another, and prints a
# line per target: seconds, executions, coverage, findings. New inputs and findings stay under
# $(FUZZ)/; add one to fuzz/corpus/NAME/ on purpose, named for what it is.
FUZZ_SECONDS ?= 180
FUZZ_TARGETS ?= $(sort $(basename $(notdir $(wildcard fuzz/*.cpp))))
fuzz: fuzz-build
	@sh scripts/fuzz-run.sh $(FUZZ) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Writes the seed files made by our own encoders into fuzz/corpus/.
fuzz-seeds: build
	$(BUILD)/bin/vespin-fuzz-seeds fuzz/corpus

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

format:
	@find src tools tests bench fuzz demo -name '*.cpp' -o -name '*.h' | xargs clang-format -i

format-check:
	@find src tools tests bench fuzz demo -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(SAN) $(FUZZ)
