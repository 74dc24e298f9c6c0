# The commands the README leads with. BUILD moves every build folder (default build/).
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300
export WYR_BUILD_ROOT := $(abspath $(BUILD))

.PHONY: all build demo check fuzz bench deps clean linux win64 win32 linux-asan fuzz-build

all: build

deps:
	bash tools/install-deps.sh

$(BUILD)/%/CMakeCache.txt:
	cmake --preset $* -B $(BUILD)/$* -DWYR_WIN64_DIR=$(abspath $(BUILD))/win64 -DWYR_WIN32_DIR=$(abspath $(BUILD))/win32 >/dev/null

linux win64 win32 linux-asan: %: $(BUILD)/%/CMakeCache.txt
	cmake --build $(BUILD)/$* -j $(JOBS)

fuzz-build: $(BUILD)/fuzz/CMakeCache.txt
	cmake --build $(BUILD)/fuzz -j $(JOBS)

build: deps
	$(MAKE) win64 win32 linux

demo: build
	bash tools/demo.sh $(BUILD)

check: deps
	$(MAKE) win64 win32 linux linux-asan fuzz-build
	bash tools/run-checks.sh $(BUILD)

fuzz: deps fuzz-build
	bash tools/run-fuzz.sh $(BUILD) $(FUZZ_SECONDS)

bench: build
	bash tools/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
