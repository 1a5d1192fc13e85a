# SPDX-License-Identifier: MIT
# make run    installs what is missing, builds, and starts Nuvrel against a simulated register
#             (under a virtual screen when there is no display)
# make test   installs what is missing, builds, and runs every test but those labelled slow
# make test-slow  builds and runs the tests labelled slow: the installed tree and the Debian
#             package (install_tree, install_package), and the tests that wait real seconds
#             (suites named *RealTime)
# make format-check  fails when a C++ file differs from .clang-format's layout
# make bench  installs what is missing, builds the benchmarks and runs them
# make test-sanitize  builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
#             build-sanitize and runs every test under them
# make fuzz   installs what is missing, builds the fuzz targets (clang) in build-fuzz and runs each
#             for SECONDS seconds (default 60); fails on any finding
# make package  installs what is missing, builds, and makes the Debian package BUILD/nuvrel_*.deb
# make windows  cross-builds a static nuvrel-cli.exe for 64-bit Windows in WINDOWS_BUILD
# make windows-package  the zip of nuvrel-cli.exe, README, licence and examples
# make test-windows  the portable unit tests under wine, and nuvrel-cli.exe under wine against the
#             Linux ecrsim, compared byte for byte with the Linux nuvrel-cli

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Tests mostly wait (on a line's pace, a child program, a window), so six run at once per core:
# on two cores -j12 took 17-19 s where -j6 took 24 s and -j2 46 s.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 6 )))
FUZZ_BUILD ?= build-fuzz
SECONDS ?= 60
WINDOWS_BUILD ?= build-windows
# ON: every warning in our code stops the build (CI builds this way)
WERROR ?= OFF

.PHONY: all deps configure build run test test-slow format-check test-sanitize bench fuzz package windows windows-package \
        test-windows clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUVREL_BUILD_BENCH=ON \
	  -DNUVREL_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-demo.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS) -LE slow

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

test-slow: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -L slow

# Any report of either sanitizer fails the test that raised it (they do not recover).
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNUVREL_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/run-bench.sh $(BUILD)

fuzz: deps
	@bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(SECONDS)

package: build
	@cd $(BUILD) && cpack -G DEB >/dev/null && ls "$$PWD"/nuvrel_*.deb

windows: deps
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUVREL_BUILD_GUI=OFF >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target nuvrel-cli
	@ls "$$PWD/$(WINDOWS_BUILD)/nuvrel-cli.exe"

windows-package: windows
	@cmake --build $(WINDOWS_BUILD) --target nuvrel_windows_zip
	@ls "$$PWD"/$(WINDOWS_BUILD)/nuvrel-*-windows-x64.zip

# The Linux ecrsim and nuvrel-cli are the other end and the reference.
test-windows: windows configure
	@cmake --build $(BUILD) -j $(JOBS) --target ecrsim nuvrel-cli
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	@NUVREL_WINEPREFIX="$$PWD/$(WINDOWS_BUILD)/wine" scripts/wine-run.sh cmd /c exit >/dev/null 2>&1
	@cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)
	@bash tests/windows/e2e_compare.sh $(BUILD) $(WINDOWS_BUILD) .

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
