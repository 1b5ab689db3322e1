# make build  - both Windows architectures (build/i686, build/x86_64) and the
#               native core tests (build/native)
# make test   - bootstrap if needed, build, run every test suite
# make demo   - bootstrap if needed, build, run the demo, write screenshots
#               under build/screenshots/
# make bench  - bootstrap if needed, build the benchmark, print the speed of the
#               library against plain Win32 doing the same work (not a test:
#               exits 0 with rows over their goals)
JOBS ?= $(shell nproc)
ARCHES := i686 x86_64

.PHONY: all bootstrap build test demo bench native clean $(ARCHES)

all: build

bootstrap:
	@bash scripts/bootstrap.sh

build: $(ARCHES) native

# The i686 test programs are built only where a 32-bit Wine can run them
# (the library, its import libraries and the examples are always built).
i686_TESTS = $(shell bash -c '. scripts/wine-env.sh; [ "$$TS_HAVE_WINE32" = 1 ] && echo ON || echo OFF')
x86_64_TESTS = ON

# configure ARCH: the cmake configuration of one Windows architecture
configure = cmake -S . -B build/$(1) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-$(1).cmake \
	    -DCMAKE_BUILD_TYPE=Release -DTS_BUILD_TESTS=$($(1)_TESTS) >/dev/null

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

bench-build-%:
	@$(call configure,$*)
	@cmake --build build/$* -j $(JOBS) --target bench deskhold

clean:
	rm -rf build
