# make build  - both Windows architectures (build/i686, build/x86_64) and the
#               native core tests (build/native)
# make test   - bootstrap if needed, build, run every test suite
# make demo   - bootstrap if needed, build, run the demo, write screenshots
#               under build/screenshots/
# make bench  - bootstrap if needed, build the benchmark, print the speed of the
#               library against plain Win32 doing the same work (not a test:
#               exits 0 with rows over their goals)
# make dist   - build, then pack build/dist/tscore32-VERSION-ARCH.zip per architecture
# make mutants - bootstrap if needed, run the hand-written mutants of
#               tools/mutants.txt on a scratch copy (build/mutants) against
#               the tests of their subsystem; not part of make test
# make fuzz   - build the fuzz targets optimised (build/fuzz) and run each for
#               TS_FUZZ_MINUTES minutes (default 10), two at a time, from the
#               seeds in tests/native/seeds; exits non-zero on findings (not
#               part of make test)
# make fuzz-seeds - rewrite the seeds made from the tree's resources
JOBS ?= $(shell nproc)
ARCHES := i686 x86_64

.PHONY: all bootstrap build test demo bench dist mutants native fuzz fuzz-build fuzz-seeds clean $(ARCHES)

all: build

bootstrap:
	@bash scripts/bootstrap.sh

build: $(ARCHES) native

# Both architectures build their test programs on every machine, so that a
# compile error in either shows everywhere; scripts/test.sh runs the i686
# ones only where a 32-bit Wine can.
# configure ARCH: the cmake configuration of one Windows architecture
configure = cmake -S . -B build/$(1) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-$(1).cmake \
	    -DCMAKE_BUILD_TYPE=Release -DTS_BUILD_TESTS=ON >/dev/null

$(ARCHES):
	@$(call configure,$@)
	@cmake --build build/$@ -j $(JOBS)

native:
	@cmake -S . -B build/native -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_BUILD_TYPE=Debug -DTS_SANITIZE=ON >/dev/null
	@cmake --build build/native -j $(JOBS)

test: bootstrap
	@$(MAKE) --no-print-directory build
	@bash scripts/test.sh

demo: bootstrap
	@$(MAKE) --no-print-directory build
	@bash scripts/demo.sh

# the benchmark builds only what it runs: the DLLs, bench.exe with its forms
# module, and the desktop keeper of the Wine session
bench: bootstrap
	@$(MAKE) --no-print-directory $(addprefix bench-build-,$(ARCHES))
	@bash scripts/bench.sh

mutants: bootstrap
	@python3 tools/mutants.py

dist: bootstrap
	@$(MAKE) --no-print-directory $(ARCHES)
	@bash scripts/dist.sh

bench-build-%:
	@$(call configure,$*)
	@cmake --build build/$* -j $(JOBS) --target bench deskhold

# The fuzz build: the same sanitizers as build/native, optimised, and only
# the fuzz targets
fuzz-build:
	@cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTS_SANITIZE=ON >/dev/null
	@cmake --build build/fuzz -j $(JOBS) --target fuzzers

fuzz: bootstrap
	@$(MAKE) --no-print-directory fuzz-build
	@bash scripts/fuzz.sh

fuzz-seeds: native
	@python3 tools/fuzz-seeds.py

clean:
	rm -rf build
