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

WEB_BUILD   ?= $(BUILD)/web
WEB_PORT    ?= 8018

.PHONY: all deps build run test test-sanitize fuzz fuzz-short bench soak clean install package \
	web-deps web serve-web web-test-deps

all: build

deps:
	@bash scripts/install_deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/data && ../vennaloft $(ARGS)

# The page: build/web holds everything a static web host needs.
web-deps:
	@bash scripts/install_deps.sh web

web: web-deps
	@bash scripts/build_web.sh $(WEB_BUILD)

serve-web: web
	@echo "Vennaloft in the browser: http://127.0.0.1:$(WEB_PORT)/  (Ctrl+C stops)"
	cd $(WEB_BUILD) && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# The page tests' browser driver (puppeteer-core, using Debian's chromium),
# into tests/web/node_modules.
web-test-deps: web-deps
	@cd tests/web && { [ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund; }

# Everything: the sanitizer build of the headless tests, a short fuzz run of
# the image reader, then every test of the normal build (window tests included).
test: build web web-test-deps test-sanitize fuzz-short
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVL_SANITIZE=ON -DVL_HEADLESS_ONLY=ON >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

$(FUZZ_BUILD)/tests/fuzz/fuzz_bmp_reader: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_FUZZ=ON -DVL_HEADLESS_ONLY=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_bmp_reader

fuzz-short: FUZZ_SECONDS = 30
fuzz-short: fuzz

fuzz: $(FUZZ_BUILD)/tests/fuzz/fuzz_bmp_reader
	@mkdir -p $(FUZZ_BUILD)/corpus
	cd $(FUZZ_BUILD) && ./tests/fuzz/fuzz_bmp_reader -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		corpus $(CURDIR)/tests/fuzz/corpus

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
