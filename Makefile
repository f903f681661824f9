# The two everyday commands: `make run` and `make test`. Both set the machine up first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Fresh clones in other folders still hit the compiler cache.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: setup build run test bench install package format clean

setup:
	@scripts/setup

# The flags the build folder was configured with: other flags configure it afresh, so that none
# is silently ignored and none left over from before.
FLAGS_FILE := $(BUILD)/cmake-flags
ifneq ($(file <$(FLAGS_FILE)),$(CMAKE_FLAGS))
$(shell mkdir -p $(BUILD))
$(file >$(FLAGS_FILE),$(CMAKE_FLAGS))
endif

$(BUILD)/build.ninja: $(FLAGS_FILE)
	@cmake --fresh -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: setup $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ]; then $(BUILD)/src/quorvel; \
	else echo "No DISPLAY: starting Quorvel inside Xvfb"; scripts/with-xvfb $(BUILD)/src/quorvel; fi

test: build
	@scripts/with-xvfb ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@scripts/setup --bench
	@scripts/with-xvfb scripts/run-benchmarks $(BUILD)

# Into CMAKE_INSTALL_PREFIX (/usr/local unless CMAKE_FLAGS says otherwise); DESTDIR is honoured.
# Stripped, as the package is: the debugging information stays in the build folder.
install: build
	@cmake --install $(BUILD) --strip

# A Debian package in $(BUILD), for `apt install ./$(BUILD)/quorvel_*.deb`.
package: build
	@cmake --build $(BUILD) --target package

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
