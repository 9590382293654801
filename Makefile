# Tavelon: build, run, test, benchmark and fuzz. `make` alone builds the program.

SHELL := /bin/bash
JOBS := -j2

# Every Debian package the program, its tests, benchmarks and fuzzers need, and the tools that
# build the Debian package and check what is installed.
PACKAGES := cmake g++ make qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev clang libclang-rt-14-dev fonts-liberation fonts-dejavu-core \
            xvfb xauth qt6-translations-l10n dpkg-dev lintian desktop-file-utils appstream \
            shared-mime-info libglib2.0-bin man-db dbus-bin dbus-daemon at-spi2-core \
            python3-pyatspi gir1.2-atspi-2.0
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
APT := $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get

# Qt's offscreen platform, fontconfig and the print and SVG devices leak nothing LeakSanitizer
# reports, so no suppressions are needed.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
FUZZ_SECONDS := 60
# Medians of five runs of every benchmark; BENCH_ARGS=--benchmark_filter=Repaint narrows it.
BENCH_ARGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# make install PREFIX=/usr DESTDIR=/tmp/stage
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps build run test monkey install package package-check bench fuzz clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' "$$p" 2>/dev/null | grep -q 'install ok installed' || echo "$$p"; \
	done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(APT) update && $(APT) install -y --no-install-recommends $$missing; \
	fi

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build $(JOBS)

# Without a display the program runs on a virtual one.
run: deps build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then ./build/tavelon $(ARGS); \
	else xvfb-run -a ./build/tavelon $(ARGS); fi

test: deps build
	cd build && ctest --output-on-failure $(JOBS)
	cmake -S . -B build-asan -DTAVELON_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan $(JOBS)
	cd build-asan && $(SANITIZER_ENV) ctest --output-on-failure $(JOBS)

# The editor's random-action test, longer than in `make test` and with a seed of its own (a new
# one each run unless given); a failure reports its seed, action and the actions before it.
MONKEY_SEED ?= $(shell date +%s)
MONKEY_ACTIONS ?= 20000

monkey: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build $(JOBS) --target tavelon_editor_tests
	TAVELON_MONKEY_SEED=$(MONKEY_SEED) TAVELON_MONKEY_ACTIONS=$(MONKEY_ACTIONS) \
	  QT_QPA_PLATFORM=offscreen ./build/tests/tavelon_editor_tests \
	  --gtest_filter='RandomActionsTest.*'

# Into a live prefix (no DESTDIR) the desktop's caches are brought up to date, so that the menu
# entry and the file type are known at once.
install: build
	DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then \
	  if command -v update-mime-database >/dev/null; then update-mime-database "$(PREFIX)/share/mime"; fi; \
	  if command -v update-desktop-database >/dev/null; then update-desktop-database -q "$(PREFIX)/share/applications"; fi; \
	fi

# The Debian package tavelon_<version>_<arch>.deb in this folder, built with Debian's compiler
# and hardening flags; its library dependencies are computed by dpkg-shlibdeps.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DTAVELON_TESTS=OFF \
	  -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"
	cmake --build build-package $(JOBS)
	rm -f build-package/tavelon_*.deb tavelon_*.deb
	cd build-package && cpack -G DEB
	cp build-package/tavelon_*.deb .

# The package's control data, lintian, and the installed-tree checks on its unpacked files.
package-check: package
	data/check-package.sh tavelon_*.deb

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAVELON_BENCH=ON -DTAVELON_TESTS=OFF
	cmake --build build-bench $(JOBS)
	@if [ ! -x build-bench/bench/tavelon_bench ]; then echo "No benchmarks in bench/."; exit 1; fi
	./build-bench/bench/tavelon_bench $(BENCH_ARGS)

# Each fuzzer keeps its corpus in fuzz-corpus/<name>, starts from fuzz/seeds/<name>, and leaves
# an input that fails as fuzz-corpus/<name>-crash-*.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAVELON_FUZZ=ON -DTAVELON_TESTS=OFF
	cmake --build build-fuzz $(JOBS) --target fuzzers
	@found=0; for fuzzer in build-fuzz/fuzz/fuzz_*; do \
	  [ -f "$$fuzzer" ] && [ -x "$$fuzzer" ] || continue; \
	  found=1; name=$$(basename "$$fuzzer"); \
	  mkdir -p "fuzz-corpus/$$name"; seeds=(); \
	  [ -d "fuzz/seeds/$$name" ] && seeds=("fuzz/seeds/$$name"); \
	  echo "== $$name, $(FUZZ_SECONDS) s"; \
	  "$$fuzzer" -max_total_time=$(FUZZ_SECONDS) -artifact_prefix="fuzz-corpus/$$name-" \
	    "fuzz-corpus/$$name" "$${seeds[@]}" || exit 1; \
	done; \
	if [ $$found = 0 ]; then echo "No fuzzers in fuzz/."; exit 1; fi

# The fuzz corpus is kept: it is what earlier runs found.
clean:
	rm -rf build build-asan build-bench build-fuzz build-package tavelon_*.deb
