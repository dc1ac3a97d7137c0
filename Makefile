# Brisvel: one-command entry points. Each installs what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run package bench fuzz format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	@$(BUILD)/program/brisvel

package: build
	@cd $(BUILD) && cpack -G DEB

bench: deps
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)-bench -j$(JOBS)
	@scripts/run-benchmarks $(BUILD)-bench

fuzz: deps
	@scripts/run-fuzzer

format:
	@find src tools tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz
