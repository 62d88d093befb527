# Developer entry points: `make test` and `make demo`.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build test test-asan demo format clean

all: build

deps:
	bash scripts/deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default
	$(MAKE) test-asan

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --preset asan

demo: build
	./build/demo/zarni-demo build/zarni-demo.png

# Our editor against GTK3's GtkTextView, side by side; never part of `make test`.
.PHONY: bench
bench:
	bash scripts/deps.sh bench
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	bash scripts/bench.sh build-bench/bench/zarni-bench

format:
	find platform model format engine view objects persist window include tests bench fuzz demo tools \
	  \( -name '*.h' -o -name '*.cpp' \) -print0 | xargs -0 -r clang-format -i

clean:
	rm -rf build build-debug build-asan
