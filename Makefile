# The two everyday commands: `make run` (build and start the editor) and
# `make test` (build everything and run every test, including the clang
# sanitizer build). Both install missing system packages first.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: all bootstrap build test test-dev test-asan test-fuzz run bench format format-check clean

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

test: test-dev test-asan test-fuzz

test-dev: build
	ctest --preset dev -j $(JOBS)

test-asan: bootstrap build/asan/build.ninja
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# A minute of fuzzing the patch reader and the render, from the examples as
# seeds, after the sanitizer suite. New inputs collect in build/asan/fuzz/;
# a crash fails the step and leaves its input there as crash-*.
FUZZ_SECONDS ?= 60
FUZZER = build/asan/tests/fuzz/patch_reader_fuzzer

test-fuzz: test-asan
	@if ! command -v clang++ >/dev/null 2>&1; then \
		echo "test-fuzz: clang is not installed; fuzzing skipped"; \
	else \
		mkdir -p build/asan/fuzz/corpus && \
		echo "test-fuzz: fuzzing the patch reader for $(FUZZ_SECONDS) s" && \
		if $(FUZZER) -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build/asan/fuzz/ \
			build/asan/fuzz/corpus examples >build/asan/fuzz/log 2>&1; then \
			tail -n 1 build/asan/fuzz/log; \
		else \
			tail -n 60 build/asan/fuzz/log; echo "test-fuzz: the fuzzer found a failure"; exit 1; \
		fi; \
	fi

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
