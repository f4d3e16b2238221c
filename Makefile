# Quick start: `make run` builds and starts Trivane, `make test` runs every test.
JOBS ?= 2
BUILD ?= build/release
ASAN_BUILD ?= build/sanitize
GENERATOR := -G Ninja

.PHONY: deps configure build run test test-release test-sanitize bench fuzz clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: test-release test-sanitize

test-release: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The core libraries and their tests again, under AddressSanitizer and
# UndefinedBehaviorSanitizer, with any finding fatal. The tests' own code is
# not optimised: instrumented, it is most of this tree's build.
test-sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTRIVANE_WITH_QT=OFF \
	  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
	  -DTRIVANE_TEST_CODE_OPTIONS=-O0 >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)

# Fuzzes every reader and the whole pipeline; FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 300
FUZZ_BUILD ?= build/fuzz
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DTRIVANE_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf build

# The benchmarks: the process start of trivane-cli beside an empty program,
# the analysis (whole compute, solver, LAPACK dgesv for scale),
# the large-model compute beside CHOLMOD alone with problem-file open and save,
# the large-model redraw beside a bare QPainter pass, six-node triangles drawn
# beside three-node ones, and the export of a
# 99,225-node model, in a Release tree of their own, without tests;
# adaptive meshing against its aims (grading, budget, peak; about a minute);
# and the cantilever's deflection and error in 3-node and 6-node triangles.
BENCH_BUILD ?= build/bench
bench: deps
	@cmake -S . -B $(BENCH_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTRIVANE_BENCH=ON \
	  -DTRIVANE_TESTS=OFF -DTRIVANE_WITH_QT=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target analysis_bench large_model_bench drawing_bench export_bench \
	  six_node_drawing_bench startup_bench adapt_bench cantilever_bench
	@$(BENCH_BUILD)/bench/startup_bench
	@$(BENCH_BUILD)/bench/analysis_bench
	@$(BENCH_BUILD)/bench/large_model_bench
	@QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/drawing_bench
	@$(BENCH_BUILD)/bench/six_node_drawing_bench
	@$(BENCH_BUILD)/bench/export_bench
	@$(BENCH_BUILD)/bench/adapt_bench
	@$(BENCH_BUILD)/bench/cantilever_bench
