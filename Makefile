# Two commands do everything on a fresh Debian 12 machine:
#   make test   install what is missing, build both configurations, run every test
#   make run    build and start the program under Wine
#   make bench  the benchmarks in full (the test suite runs them briefly)
BUILD ?= build
export BUILD := $(abspath $(BUILD))

.PHONY: test run bench deps host windows clean

deps:
	@scripts/install-deps.sh

host: deps
	@cmake -S . -B $(BUILD)/host -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCOLOURPICKER_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)/host

windows: deps
	@cmake -S . -B $(BUILD)/windows -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(BUILD)/windows

test: host windows
	@scripts/test.sh

run: windows
	@scripts/run.sh

bench: windows
	@cmake -S . -B $(BUILD)/bench-host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/bench-host --target text_forms_bench
	@scripts/bench.sh

clean:
	rm -rf $(BUILD)
