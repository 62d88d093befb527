# Developer entry points: `make test` and `make demo`.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build test test-asan test-tsan demo format clean

all: build

deps:
	bash scripts/deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default
	$(MAKE) test-asan
	$(MAKE) test-tsan

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --preset asan

# The tests that run threads, under the thread sanitizer; any report fails the test.
test-tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS)
	TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/tsan.supp" ctest --preset tsan

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
	find platform core model format engine view objects persist media links editor window include tests bench fuzz demo tools \
	  \( -name '*.h' -o -name '*.cpp' \) -print0 | xargs -0 -r clang-format -i

clean:
	rm -rf build build-debug build-asan build-tsan build-bench build-fuzz build-mut

# Each libFuzzer target of fuzz/ (clang, build-fuzz/) for FUZZ_SECONDS seconds, one after
# the other in one process each, from its committed seeds; never part of `make test`. New
# inputs go to build-fuzz/corpus/<target>, crashes to build-fuzz/crashes/.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = pack loadfrom replacesel_etf
.PHONY: fuzz
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	mkdir -p build-fuzz/crashes
	status=0; for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t; \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
	    build-fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=20 \
	    -print_final_stats=1 -artifact_prefix=build-fuzz/crashes/$$t- \
	    build-fuzz/corpus/$$t fuzz/corpus/$$t || status=1; \
	done; exit $$status
