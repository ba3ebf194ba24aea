# One-command set-up: `make run` and `make test` install what is missing,
# build, generate the assets and go.
BUILD       ?= build
SAN_BUILD   ?= build-sanitize
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)
ARGS        ?=
FUZZ_SECONDS ?= 300
SOAK_STEPS  ?= 100000
PREFIX      ?= /usr/local

.PHONY: all deps build run test test-sanitize fuzz fuzz-build fuzz-short bench soak clean install package

all: build

deps:
	@bash scripts/install_deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/data && ../vennaloft $(ARGS)

# Everything: the sanitizer build of the headless tests, a short fuzz run of
# the image and recording readers, then every test of the normal build
# (window tests included).
test: build test-sanitize fuzz-short
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVL_SANITIZE=ON -DVL_HEADLESS_ONLY=ON >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_FUZZ=ON -DVL_HEADLESS_ONLY=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_bmp_reader fuzz_replay_reader

fuzz-short: FUZZ_SECONDS = 30
fuzz-short: fuzz

# Each reader for FUZZ_SECONDS: the image reader, then the recording reader.
fuzz: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/replay_corpus
	cd $(FUZZ_BUILD) && ./tests/fuzz/fuzz_bmp_reader -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		corpus $(CURDIR)/tests/fuzz/corpus
	cd $(FUZZ_BUILD) && ./tests/fuzz/fuzz_replay_reader -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		replay_corpus $(CURDIR)/tests/fuzz/replay_corpus

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVL_BENCH=ON -DVL_HEADLESS_ONLY=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target vl_bench
	$(BENCH_BUILD)/bench/vl_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

soak: build
	$(BUILD)/vl_soak $(SOAK_STEPS)

# Installs under PREFIX (default /usr/local); DESTDIR stages it elsewhere.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

# A .deb for /usr in $(BUILD)/package.
package: build
	cd $(BUILD) && cpack -G DEB -B package

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
