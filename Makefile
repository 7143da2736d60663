# The two everyday commands: `make run` (build and start the editor) and
# `make test` (build everything and run every test, including the clang
# sanitizer build). Both install missing system packages first.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: all bootstrap build test test-dev test-asan run bench format format-check clean

all: build

bootstrap:
	@scripts/bootstrap

build/dev/build.ninja:
	cmake --preset dev

build/asan/build.ninja:
	cmake --preset asan

build/release/build.ninja:
	cmake --preset release

build: bootstrap build/dev/build.ninja
	cmake --build --preset dev -j $(JOBS)

test: test-dev test-asan

test-dev: build
	ctest --preset dev -j $(JOBS)

test-asan: bootstrap build/asan/build.ninja
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

run: build
	build/dev/ui/kilosynth

bench: bootstrap build/release/build.ninja
	cmake --build --preset release -j $(JOBS)
	build/release/bench/kilosynth_bench
	build/release/bench/kilosynth_ui_bench

format:
	clang-format -i $(SOURCES)

format-check:
	clang-format --dry-run -Werror $(SOURCES)

clean:
	rm -rf build
