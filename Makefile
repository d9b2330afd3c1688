# The two commands a new user types: `make run` and `make test`. Each target installs what is
# missing, then runs one CMake workflow (CMakePresets.json): configure, build and, where it
# has them, tests or a package.
JOBS ?= $(shell nproc)
export CMAKE_BUILD_PARALLEL_LEVEL := $(JOBS)
export CTEST_PARALLEL_LEVEL := $(JOBS)

.PHONY: all run windows test fast asan bench odds package screenshot clean

all: test

# `make run` installs what building and running need; `make windows` also the cross
# compiler; the others also the tools of the tests, benchmarks and package checks.
run:
	@bash scripts/setup.sh run
	cmake --workflow --preset release
	./build/release/prince-trials

# The native 32-bit Windows executable: build/windows/prince-trials.exe.
windows:
	@bash scripts/setup.sh windows
	cmake --workflow --preset windows
	@ls -l build/windows/prince-trials.exe

# Every test; `make fast` only those that take seconds (no real program, Wine or long run).
test:
	@bash scripts/setup.sh test
	cmake --workflow --preset dev

fast:
	@bash scripts/setup.sh test
	cmake --workflow --preset fast

asan:
	@bash scripts/setup.sh test
	cmake --workflow --preset asan

bench:
	@bash scripts/setup.sh test
	cmake --workflow --preset bench

# Each candidate's chance of winning over a million contests: docs/odds.csv and docs/odds.png.
odds:
	@bash scripts/setup.sh test
	cmake --workflow --preset odds

package:
	@bash scripts/setup.sh test
	cmake --workflow --preset package
	@ls build/release/*.deb

# The README's screenshots of both programs: docs/screenshot.png and docs/windows.png.
screenshot:
	@bash scripts/setup.sh test
	cmake --workflow --preset screenshots

clean:
	rm -rf build
