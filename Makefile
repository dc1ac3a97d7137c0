# Brisvel: one-command entry points. Each installs what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)

# The sanitizer builds use clang, as the fuzzer does; assertions stay on (Debug),
# with a little optimisation so the tests run in reasonable time. They leave the
# benchmarks out.
SANITIZE_CONFIGURE = CC=clang CXX=clang++ cmake -S . -DCMAKE_BUILD_TYPE=Debug -DBRISVEL_BENCH=OFF
ASAN_FLAGS = -O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined
TSAN_FLAGS = -O1 -fsanitize=thread

.PHONY: all deps configure build test test-fast test-asan test-tsan fuzz fuzz-ci run package check-package bench format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# The tests that start programs we did not write carry a label: LibreOffice (now
# and then it crashes on its own under load), a print queue, the package tools.
# Those alone get one more run when they fail; every other test counts at its
# first run, so a flaky one shows. `test-fast` leaves the labelled ones out.
EXTERNAL = ^(libreoffice|print_queue|package)$$
CTEST = ctest --output-on-failure -j$(JOBS)
RUN_TESTS = $(CTEST) -LE '$(EXTERNAL)'; own=$$?; \
    $(CTEST) -L '$(EXTERNAL)' --repeat until-pass:2 && exit $$own
test: build
	@cd $(BUILD) && export QT_QPA_PLATFORM=offscreen && $(RUN_TESTS)

test-fast: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen $(CTEST) -LE '$(EXTERNAL)'

# Every test once more under AddressSanitizer and UndefinedBehaviorSanitizer. The
# build lists the tests by running them, so it runs under the same options.
# No strict string checks: the X keyboard library behind Qt's X11 platform (which the
# installed-program test starts) hands strndup buffers without a terminating zero.
ASAN_ENV = QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1
test-asan: deps
	@$(SANITIZE_CONFIGURE) -B $(BUILD)-asan -DCMAKE_CXX_FLAGS="$(ASAN_FLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@$(ASAN_ENV) cmake --build $(BUILD)-asan -j$(JOBS)
	@cd $(BUILD)-asan && export $(ASAN_ENV) && $(RUN_TESTS)

# The codec's tests under ThreadSanitizer: writing enciphers on a second thread,
# and reading deciphers a large stream in two halves side by side.
test-tsan: deps
	@$(SANITIZE_CONFIGURE) -B $(BUILD)-tsan -DCMAKE_CXX_FLAGS="$(TSAN_FLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
	@cmake --build $(BUILD)-tsan --target xls_tests -j$(JOBS)
	@QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	    $(BUILD)-tsan/tests/xls/xls_tests

# The workbook reader under libFuzzer: `fuzz` for as long as wanted (FUZZ_SECONDS),
# `fuzz-ci` for the minute CI gives it.
FUZZ_SECONDS ?= 120
fuzz: deps
	@scripts/run-fuzzer $(FUZZ_SECONDS)

fuzz-ci: deps
	@scripts/run-fuzzer 60

run: build
	@$(BUILD)/program/brisvel

package: build
	@cd $(BUILD) && cpack -G DEB

# The package installed on this machine with apt-get, started from the path, removed.
check-package: build
	@BUILD=$(BUILD) scripts/check-package

bench: deps
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)-bench -j$(JOBS)
	@scripts/run-benchmarks $(BUILD)-bench

format:
	@find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-tsan $(BUILD)-bench $(BUILD)-fuzz
