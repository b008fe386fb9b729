# Thin wrapper over the CMake presets. A fresh Debian 12 has no make: run
# scripts/bootstrap first (the README's set-up commands do); every target
# here calls it again, which costs nothing once the packages are there.

PRESET ?= release
JOBS ?= $(shell nproc)
# CI builds with warnings as errors.
CMAKE_FLAGS ?= $(if $(CI),-DDECANT_WERROR=ON)

.PHONY: all bootstrap configure build test demo asan tsan fuzz bench package format clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	cmake --preset $(PRESET) $(CMAKE_FLAGS)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

test: build
	ctest --preset $(PRESET) -j $(JOBS)

# Only what the demo runs, so a first try on a new machine does not wait for
# the tests to compile.
demo: configure
	cmake --build --preset $(PRESET) -j $(JOBS) --target product
	scripts/demo build/$(PRESET)/bin

asan:
	$(MAKE) test PRESET=asan

tsan:
	$(MAKE) test PRESET=tsan

fuzz: bootstrap
	cmake --preset fuzz $(CMAKE_FLAGS)
	cmake --build --preset fuzz -j $(JOBS)

bench: build
	bench/decode.sh build/$(PRESET)/bin

# The Debian package, from the release build: build/release/decant_*.deb
package: build
	cd build/$(PRESET) && cpack -G DEB

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
