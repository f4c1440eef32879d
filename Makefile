# Entry points: make run, make test, make dist, make bench, make screenshot.
MAKEFLAGS += --no-print-directory
# Each one installs what it needs first (scripts/bootstrap.sh is idempotent).
JOBS ?= $(shell nproc)
NATIVE := build/native
ASAN   := build/asan
WIN    := build/win
WIN64  := build/win64
BENCH  := build/bench
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Release
# The release's version, from the executable's version information.
VERSION := $(shell sed -n 's/^\#define KVTE_VERSION_TEXT "\(.*\)"/\1/p' src/resources/version.rc)

.PHONY: all bootstrap native asan win win64-tests test test-ratio test-native test-asan test-win run dist bench bench-win screenshot clean

all: native win

bootstrap:
	@bash scripts/bootstrap.sh

native: bootstrap
	@cmake -S . -B $(NATIVE) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# Sanitizers and libFuzzer share one clang build.
asan: bootstrap
	@CC=clang CXX=clang++ cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVTE_SANITIZE=ON -DKVTE_FUZZ=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)

win: bootstrap
	@cmake -S . -B $(WIN) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

test-native: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	@cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# On a machine whose kernel refuses 32-bit programs the 32-bit Wine cannot start: the
# program is still built and its resources checked, and the Wine suites run built for
# 64-bit Windows under the 64-bit Wine (the same sources; the product stays 32-bit).
test-win: win
	@if bash scripts/wine-run.sh --can-run; then \
	  bash scripts/wine-run.sh --prepare-only && cd $(WIN) && ctest --output-on-failure; \
	elif KVTE_WINE_ARCH=win64 bash scripts/wine-run.sh --can-run; then \
	  echo "*** This machine cannot run 32-bit programs: the Wine suites run built for 64-bit under wine64." >&2; \
	  (cd $(WIN) && ctest --output-on-failure -R kvte_exe_resources) && \
	  $(MAKE) win64-tests && KVTE_WINE_ARCH=win64 bash scripts/wine-run.sh --prepare-only && \
	  cd $(WIN64) && KVTE_WINE_ARCH=win64 ctest --output-on-failure -E kvte_exe_resources; \
	else \
	  echo "*** SKIPPED the Wine suites: this machine runs neither Wine (wine --version fails)." >&2; \
	  cd $(WIN) && ctest --output-on-failure -R kvte_exe_resources; \
	fi

# The Windows test programs built for 64-bit, for machines that run only the 64-bit Wine:
# the Win32 layer's tests and the portable tests built for Windows (paths, file times).
win64-tests: bootstrap
	@cmake -S . -B $(WIN64) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build $(WIN64) -j $(JOBS) --target kvte_win_tests kvte_win_unit_tests

# The tests stay at most 0.40 of the code by lines (scripts/test-ratio.sh prints both).
test-ratio:
	@bash scripts/test-ratio.sh

test: test-ratio test-native test-asan test-win
	@echo "all test suites passed"

run: win dist
	@bash scripts/wine-run.sh dist/kvte/kvte.exe

dist: win
	@rm -rf dist/kvte && mkdir -p dist/kvte
	@cp $(WIN)/kvte.exe $(WIN)/kvteconv.exe $(WIN)/kvtefind.exe dist/kvte/
	@mkdir -p dist/kvte/esf dist/kvte/color
	@cp -r data/esf/. dist/kvte/esf/ 2>/dev/null || true
	@cp -r data/color/. dist/kvte/color/ 2>/dev/null || true
	@rm -f dist/kvte/esf/.gitkeep dist/kvte/color/.gitkeep
	@mkdir -p dist/kvte/tools
	@cp $(WIN)/kvtesample.exe src/tools/win32/sample/kvtesample.kti dist/kvte/tools/
	@python3 help/build_chm.py help $(WIN)/help.chm
	@cp $(WIN)/help.chm dist/kvte/
	@python3 scripts/pe_resources.py --check dist/kvte/kvte.exe
	@rm -f dist/kvte-*.zip
	@python3 scripts/package-zip.py $(VERSION) dist/kvte dist-readme/readme.txt dist/kvte-$(VERSION).zip
	@echo "dist/kvte is ready"

bench: bootstrap
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DKVTE_BENCH=ON >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)
	@for b in $(BENCH)/bench/bench_*; do [ -x "$$b" ] && echo "== $$b" && "$$b" || true; done

# Under Wine: the editing view's timing on a generated 100 MB Japanese document; opening
# and saving a 148 MB UTF-8 file phase by phase; a 500 MB Shift_JIS file's peak memory;
# replace all and F3 on 100 MB and 50 MB documents; start-up with 20 recovered documents
# and typing into 100 MB with recovery copies on.
bench-win: win
	@bash scripts/wine-run.sh $(WIN)/src/textcontrol/win32/kvte_view_bench.exe 100
	@bash scripts/wine-run.sh $(WIN)/src/textcontrol/win32/kvte_open_bench.exe utf8
	@bash scripts/wine-run.sh $(WIN)/src/textcontrol/win32/kvte_open_bench.exe sjis
	@bash scripts/wine-run.sh $(WIN)/src/search/win32/kvte_search_bench.exe 100
	@bash scripts/wine-run.sh $(WIN)/src/main/kvte_safety_bench.exe 1 100

screenshot: win
	@bash scripts/screenshot.sh

clean:
	rm -rf build dist
