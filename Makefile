# The two commands: `make run` and `make test`. Each installs what is missing first.
BUILD ?= build
JOBS ?= 2
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20

.PHONY: deps configure build build-program test run bench fuzz package screenshots clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only what the program needs to start: the executable and its help file.
build-program: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tblaunch tb_help

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build-program
	@scripts/run.sh $(BUILD)

bench: build
	@scripts/bench.sh $(BUILD)

# The README's pictures, from the real program under Xvfb, into docs/screenshots.
screenshots: build
	@dbus-run-session -- scripts/screenshots.sh $(BUILD)

# A .deb of the program in the build folder (CPack).
package: build
	@cd $(BUILD) && cpack

# The fuzzers: a clang build of their own with sanitizers; each runs FUZZ_SECONDS seconds.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTB_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++ > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
