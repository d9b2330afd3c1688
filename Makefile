# The two commands a new user types: `make run` and `make test`. Each installs what is
# missing, configures and builds with the CMake presets, then runs.
JOBS ?= $(shell nproc)

.PHONY: all setup-run setup-windows setup-test run windows test asan bench odds package screenshot clean

all: test

# `make run` installs what building and running need; the other targets also the tools of
# the tests, benchmarks and package checks.
setup-run:
	@bash scripts/setup.sh run

setup-windows:
	@bash scripts/setup.sh windows

setup-test:
	@bash scripts/setup.sh test

run: setup-run
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./build/release/prince-trials

# The native 32-bit Windows executable: build/windows/prince-trials.exe.
windows: setup-windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	@ls -l build/windows/prince-trials.exe

test: setup-test
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

asan: setup-test
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: setup-test
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	/usr/bin/python3 bench/run.py build/bench

# Each candidate's chance of winning over a million contests: docs/odds.csv and docs/odds.png.
odds: setup-test
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS) --target odds
	./build/bench/bench/odds docs/odds.csv docs/odds.png

package: setup-test
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	cd build/release && cpack -G DEB
	@ls build/release/*.deb

# The README's screenshots, from the real programs under Xvfb: the Linux build, and the
# Windows build under Wine (the test build's, which has the probe that finds the controls).
screenshot: setup-test
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	bash scripts/screenshot.sh build/release/prince-trials docs/screenshot.png --click 23,84 --click 23,108
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS) --target windows_build
	/usr/bin/python3 tests/wineprogram.py screenshot build/dev/windows docs/windows.png

clean:
	rm -rf build
