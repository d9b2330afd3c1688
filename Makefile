# The two commands a new user types: `make run` and `make test`. Each installs what is
# missing, configures and builds with the CMake presets, then runs.
JOBS ?= $(shell nproc)

.PHONY: all setup run test asan clean

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

clean:
	rm -rf build
