# The two commands of the README. Both install what is missing first.
JOBS ?= 2

.PHONY: run test build deps asan bench fuzz clean

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	@if [ -x build/bin/quillbury ]; then build/bin/quillbury; \
	else echo "The window is not built yet: running the simulator instead."; \
	build/bin/quillbury-sim --games 100 --players 3 --seed 1; fi

test: build
	@cd build && ctest --output-on-failure -j$(JOBS)

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@cd build-asan && ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in build/bin/bench_*; do $$b; done

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

clean:
	@rm -rf build build-asan build-fuzz
