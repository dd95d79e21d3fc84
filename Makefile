# Glyphery — build, test and demo driver. See README.md.
SHELL := /bin/bash
ROOT := $(abspath .)
BUILD_WIN := $(ROOT)/build/win
BUILD_WIN64 := $(ROOT)/build/win64
BUILD_NATIVE := $(ROOT)/build/native
DIST := $(ROOT)/dist
JOBS ?= $(shell nproc)

.PHONY: run all deps build build-win build-win64 build-native test test-win test-native demo bench dist clean fuzz help-shots

all: build

deps:
	@bash $(ROOT)/deps/setup.sh

# The suite for 32-bit Windows (what users install), and the same sources for
# 64-bit Windows, where the tests run on machines without 32-bit Wine.
$(BUILD_WIN)/build.ninja:
	cmake -S $(ROOT) -B $(BUILD_WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-i686.cmake \
	  -DGY_DEPS_PREFIX=$$($(ROOT)/deps/setup.sh --print-prefix i686)

$(BUILD_WIN64)/build.ninja:
	cmake -S $(ROOT) -B $(BUILD_WIN64) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-x86_64.cmake \
	  -DGY_DEPS_PREFIX=$$($(ROOT)/deps/setup.sh --print-prefix x86_64)

$(BUILD_NATIVE)/build.ninja:
	CC=clang CXX=clang++ cmake -S $(ROOT) -B $(BUILD_NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug

build-win: deps $(BUILD_WIN)/build.ninja
	cmake --build $(BUILD_WIN) -j $(JOBS)

build-win64: deps $(BUILD_WIN64)/build.ninja
	cmake --build $(BUILD_WIN64) -j $(JOBS)

build-native: deps $(BUILD_NATIVE)/build.ninja
	cmake --build $(BUILD_NATIVE) -j $(JOBS)

build: build-win build-win64 build-native

# All trees; the Windows tests run under Wine on one Xvfb display.
test: build
	@bash $(ROOT)/tools/run-tests.sh $(BUILD_NATIVE) $(BUILD_WIN) $(BUILD_WIN64)

test-native: build-native
	cd $(BUILD_NATIVE) && ctest --output-on-failure -j $(JOBS)

test-win: build-win build-win64
	@bash $(ROOT)/tools/run-tests.sh "" $(BUILD_WIN) $(BUILD_WIN64)

# Longer fuzzing on demand: make fuzz FUZZ_SECONDS=600
FUZZ_SECONDS ?= 300
fuzz: build-native
	cd $(BUILD_NATIVE) && GY_FUZZ_SECONDS=$(FUZZ_SECONDS) cmake . >/dev/null && ctest -L fuzz --output-on-failure; \
	  rc=$$?; GY_FUZZ_SECONDS= cmake . >/dev/null; exit $$rc

demo: build-win build-win64
	@bash $(ROOT)/tools/demo.sh $(BUILD_WIN) $(BUILD_WIN64) $(ROOT)/out

# The main program under Wine, with the suite registered in the tree's prefix
# (the i686 build where 32-bit Wine runs, else the x86_64 one).
run:
	@source $(ROOT)/cmake/wine-arch.sh; \
	if wine32_runs; then tree=$(BUILD_WIN); else tree=$(BUILD_WIN64); fi; \
	$(MAKE) --no-print-directory $$tree/build.ninja && cmake --build $$tree -j $(JOBS) --target GlypheryMain && \
	GLYPHERY_BUILD=$$tree $(ROOT)/bin/glyphery gui

# Timing of the converter against ImageMagick's own (not part of the tests).
bench: build-win build-win64
	@bash $(ROOT)/bench/run.sh $(BUILD_WIN) $(BUILD_WIN64)

# The help pages' pictures, from the screenshots the Windows tests took
# (run the tests first); the pictures are kept in help/ with the pages.
help-shots:
	/usr/bin/python3 $(ROOT)/tools/help_shots.py $(ROOT)/help $(BUILD_WIN)/test-output/screenshots \
	  $(BUILD_WIN64)/test-output/screenshots

# What a user downloads (the 32-bit build): setup.exe and every file its
# wizard copies, stripped, and a zip of them named with the version.
dist: build-win
	@bash $(ROOT)/tools/make-dist.sh $(BUILD_WIN) $(DIST)

clean:
	-for p in $(BUILD_WIN)/wineprefix $(BUILD_WIN64)/wineprefix; do [ -d $$p ] && WINEPREFIX=$$p wineserver -k 2>/dev/null; done; true
	rm -rf $(ROOT)/build $(DIST) $(ROOT)/out
