# One-command set-up: `make run` and `make test` install what is missing,
# build, generate the assets and go. Each target installs only the package
# groups it needs (scripts/install_deps.sh): `run`, `build` and `install`
# the build group alone, so no test tool and no test program comes along.
BUILD         ?= build
SAN_BUILD     ?= build-sanitize
BENCH_BUILD   ?= build-bench
FUZZ_BUILD    ?= build-fuzz
PACKAGE_BUILD ?= build-package
AARCH64_BUILD ?= build-aarch64
JOBS          ?= $(shell nproc 2>/dev/null || echo 2)
ARGS          ?=
FUZZ_SECONDS  ?= 300
SOAK_STEPS    ?= 100000
PREFIX        ?= /usr/local
# The .deb's Maintainer; empty takes the default in CMakeLists.txt.
MAINTAINER    ?=

WEB_BUILD     ?= $(BUILD)/web
WEB_PORT      ?= 8018

DEPS = bash scripts/install_deps.sh

.PHONY: all build run test test-build test-sanitize fuzz fuzz-build fuzz-short bench soak clean install package \
	web-deps web serve-web web-test-deps cross-build check-trig

all: build

# The demo alone, without the test programs.
build:
	@$(DEPS) build
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/data && ../vennaloft $(ARGS)

# The page: build/web holds everything a static web host needs. The build
# group too: the generator and the font table are native tools, and the
# font comes from the desktop's freeglut.
web-deps:
	@$(DEPS) build web

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
# the image and recording readers, then every test of the normal build
# (window and page tests included). The package group too, since one test
# builds the .deb, and the cross group for the replays on aarch64.
test: test-build web web-test-deps cross-build test-sanitize fuzz-short
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-build:
	@$(DEPS) build test package
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_TESTS=ON \
		-DVL_AARCH64_BUILD=$(abspath $(AARCH64_BUILD)) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# vl_replay and vl_trig_values for aarch64 (Debian's cross compiler), run
# under qemu-user by the cross test and scripts/check_trig.sh.
cross-build:
	@$(DEPS) build cross
	@cmake -S . -B $(AARCH64_BUILD) -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR=aarch64 \
		-DCMAKE_CXX_COMPILER=aarch64-linux-gnu-g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_HEADLESS_ONLY=ON >/dev/null
	@cmake --build $(AARCH64_BUILD) -j $(JOBS) --target vl_replay vl_trig_values

# Our sine and cosine against mpmath and the C libraries, on every argument
# the program can produce and a million random ones: a few minutes.
check-trig: test-build web cross-build
	bash scripts/check_trig.sh $(BUILD) $(WEB_BUILD) $(AARCH64_BUILD)

test-sanitize:
	@$(DEPS) build test
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVL_SANITIZE=ON -DVL_HEADLESS_ONLY=ON -DVL_TESTS=ON >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

fuzz-build:
	@$(DEPS) build test
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

bench:
	@$(DEPS) build test
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVL_BENCH=ON -DVL_HEADLESS_ONLY=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target vl_bench
	$(BENCH_BUILD)/bench/vl_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

soak: build
	$(BUILD)/vl_soak $(SOAK_STEPS)

# Installs under PREFIX (default /usr/local); DESTDIR stages it elsewhere.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

# A .deb for /usr in $(PACKAGE_BUILD)/package, built in its own folder with
# Debian's hardening flags (fortify, stack protector, relro, bind now) on top
# of the usual ones, then checked with lintian.
package:
	@$(DEPS) build package
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all && \
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
		$(if $(MAINTAINER),-DVL_MAINTAINER="$(MAINTAINER)",-UVL_MAINTAINER) >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB -B package
	lintian --pedantic --fail-on error,warning $(PACKAGE_BUILD)/package/vennaloft_*.deb

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) $(AARCH64_BUILD)
