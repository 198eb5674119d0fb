# Kymata: `make run` and `make test` are all a newcomer needs on Debian 12.
# Each target first installs the Debian packages that are missing, then builds in build/.

BUILD     ?= build
ASAN      ?= build-asan
BENCH     ?= build-bench
WASM      ?= build-wasm
WEB       ?= build-web
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS = -DCMAKE_BUILD_TYPE=Release

# Everything the build, the tests and the benchmarks need, by Debian package name.
PACKAGES = cmake make g++ pkg-config clang-format gettext \
           qt6-base-dev qt6-svg-dev qt6-l10n-tools libgl-dev \
           libbenchmark-dev \
           fonts-liberation2 fonts-dejavu-core \
           cups libcups2-dev printer-driver-cups-pdf poppler-utils strace \
           desktop-file-utils appstream groff-base dpkg-dev file lintian \
           emscripten node-acorn nodejs chromium

# Debian's emscripten finds its JavaScript modules only through NODE_PATH when the node on the
# path is not Debian's own.
EMENV = NODE_PATH=/usr/share/nodejs$${NODE_PATH:+:$$NODE_PATH}

.PHONY: all deps configure build run install package web test test-release test-sanitized test-wasm \
        test-web serve-web sweep bench bench-native bench-web format format-check docs clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/kymata

# Writes what README.md and the man page copy from the program: README's copy of --help and the
# values in the man page's option headings (a new language or view changes them).
docs: build
	node tools/docs/update_docs.js $(BUILD)/src/kymata

# Installs under PREFIX (default /usr/local); DESTDIR stages the tree elsewhere.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the Release build in $(BUILD)/package/, checked by lintian.
package: build
	cpack --config $(BUILD)/CPackConfig.cmake -G DEB -B $(BUILD)/package
	lintian --no-cfg --fail-on error $(BUILD)/package/kymata_*.deb

# Every test on the Release build, then again built with AddressSanitizer and
# UndefinedBehaviorSanitizer together with a strided sweep of the scroll bars and both print
# jobs (any sanitizer report fails the run), then the WebAssembly core and the web page.
test: test-release test-sanitized test-wasm test-web

test-release: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitized: deps
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKYMATA_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	./$(ASAN)/tools/sweep/kymata-sweep --stride-source 7 --stride-focus 3 --stride-index 5 --print \
	  --views classic
	./$(ASAN)/tools/sweep/kymata-sweep --stride-source 13 --stride-focus 7 --stride-index 11 \
	  --stride-thickness 3 --views waves --stride-beam 3
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

# The web edition: the figure core compiled to WebAssembly by Emscripten (no Qt there at all)
# with the page, all in $(WEB)/, which runs opened straight from disk.
web: deps
	$(EMENV) emcmake cmake -S . -B $(WASM) -DCMAKE_BUILD_TYPE=Release -DKYMATA_WEB_DIR=$(CURDIR)/$(WEB)
	$(EMENV) cmake --build $(WASM) -j $(JOBS)

# The web edition served on this machine, as a school's server would serve it: installable, and
# it opens offline after the first visit. PORT=0 picks a free port.
PORT ?= 8000
serve-web: web
	node tools/web/serve.js $(WEB) $(PORT)

# A strided sweep of the WebAssembly core in Node: it builds and draws with clang's libc++ as
# well as with g++.
test-wasm: web
	$(EMENV) node $(WASM)/tools/sweep/kymata-sweep.js --threads 1 --stride-source 40 \
	  --stride-focus 12 --stride-index 36 --stride-thickness 5 --print

# The web edition against the desktop: the same figure documents byte for byte over a few
# hundred settings, the page itself in headless Chromium opened from file://, and the page on a
# phone, a tablet, a laptop and a board, as one file, and served and offline.
test-web: build web
	$(EMENV) node tests/web/page_logic_test.js $(WEB)
	$(EMENV) node tests/web/same_figures.js $(WEB)/kymata-module.js $(BUILD)/src/kymata 320
	$(EMENV) node tests/web/page_test.js $(WEB) $(BUILD)/src/kymata
	$(EMENV) node tests/web/device_test.js $(WEB) $(BUILD)/src/kymata

# The exhaustive sweep: all 28,908,000 settings, spherical and hyperbolic, classic and in the
# wave view (the plane wave at every seventh).
sweep: build
	./$(BUILD)/tools/sweep/kymata-sweep

bench: bench-native bench-web

bench-native: deps
	cmake -S . -B $(BENCH) $(CMAKE_ARGS) -DKYMATA_BENCHMARKS=ON
	cmake --build $(BENCH) -j $(JOBS)
	XDG_RUNTIME_DIR=$${XDG_RUNTIME_DIR:-$$(mktemp -d)} QT_QPA_PLATFORM=offscreen \
	  ./$(BENCH)/bench/kymata-bench --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true

# The web edition's benchmark page in headless Chromium, beside the native compute benchmark;
# then the folder and the one-file edition on a phone's screen, the CPU as it is and 4× slower.
bench-web: web
	cmake -S . -B $(BENCH) $(CMAKE_ARGS) -DKYMATA_BENCHMARKS=ON
	cmake --build $(BENCH) -j $(JOBS) --target kymata-bench
	$(EMENV) node bench/web/run_bench.js $(WEB) $(BENCH)/bench/kymata-bench
	$(EMENV) node bench/web/run_device_bench.js $(WEB)/index.html $(WEB)/kymata.html

# The C++ and the JavaScript, both by clang-format (.clang-format holds a section for each).
format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' -o -name '*.js' | xargs clang-format -i

format-check:
	find src tests bench tools -name '*.cpp' -o -name '*.h' -o -name '*.js' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(ASAN) $(BENCH) $(WASM) $(WEB)
