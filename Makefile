# The two commands a new user types: `make run` and `make test`. Each target installs what is
# missing, then runs one CMake workflow (CMakePresets.json): configure, build and, where it
# has them, tests or a package.
JOBS ?= $(shell nproc)
export CMAKE_BUILD_PARALLEL_LEVEL := $(JOBS)
export CTEST_PARALLEL_LEVEL := $(JOBS)

.PHONY: all run windows web test fast asan bench odds package screenshot release reproducible clean

all: test

# `make run` installs what building and running need, and opens the window.
run:
	@bash scripts/setup.sh run
	cmake --workflow --preset release
	./build/release/prince-trials

# The native 32-bit Windows executable, build/windows/prince-trials.exe: that and the cross
# compiler.
windows:
	@bash scripts/setup.sh windows
	cmake --workflow --preset windows

# The program as one web page, build/web/prince-trials.html: that and emscripten.
web:
	@bash scripts/setup.sh web
	cmake --workflow --preset web

# Every test (`make fast`: those that take seconds); the same under the sanitizers; the
# benchmarks' table; each candidate's chance of winning over a million contests
# (docs/odds.*); the Debian package (build/release/); the README's screenshots (docs/).
# These install the tools of the tests, benchmarks and package checks too.
test: WORKFLOW := dev
screenshot: WORKFLOW := screenshots
package: WORKFLOW := package
fast asan bench odds: WORKFLOW = $@
test fast asan bench odds package screenshot:
	@bash scripts/setup.sh test
	cmake --workflow --preset $(WORKFLOW)

# The files a teacher downloads, checked, in build/dist/ (scripts/release.sh); and the check
# that two releases of the commit, built apart, are byte-identical (scripts/reproducible.sh).
release reproducible:
	@bash scripts/setup.sh release
	bash scripts/$@.sh

clean:
	rm -rf build
