# The two commands a new user types: `make run` and `make test`. Each installs what is
# missing, configures and builds with the CMake presets, then runs.
JOBS ?= $(shell nproc)

.PHONY: all setup run test asan bench package screenshot clean

all: test

setup:
	@bash scripts/setup.sh

run: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./build/release/window/prince-trials

test: setup
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

asan: setup
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	/usr/bin/python3 bench/run.py build/release

package: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	cd build/release && cpack -G DEB
	@ls build/release/*.deb

# The README's screenshot, from the real program under Xvfb.
screenshot: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	bash scripts/screenshot.sh build/release/window/prince-trials docs/screenshot.png --click 23,84 --click 23,108

clean:
	rm -rf build
