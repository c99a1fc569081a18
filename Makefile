# Velbrook: `make run` builds and starts the program, `make test` builds and
# runs every test. Both first install the Debian packages that are missing.
# `make check-sanitize` runs every test in a build checked by AddressSanitizer
# and UndefinedBehaviorSanitizer; `make fuzz` runs each fuzzing program for
# FUZZ_SECONDS.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
FUZZ_SECONDS ?= 60
FUZZ_SEED    ?= 1
# clang, its sanitizer and libFuzzer runtimes and llvm-symbolizer serve the
# sanitizer build and the fuzzing programs.
PACKAGES := cmake g++ make pkg-config qt6-base-dev libgl-dev libpcre2-dev fonts-ipafont-gothic \
            libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-utils \
            poppler-utils imagemagick xdotool clang libclang-rt-14-dev llvm ccache clang-tidy \
            acl
# ccache, where it is installed, keeps compiled objects across builds and
# clones: paths are taken relative to the source tree.
ifneq ($(shell command -v ccache),)
export CMAKE_CXX_COMPILER_LAUNCHER := ccache
export CMAKE_C_COMPILER_LAUNCHER := ccache
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true
endif
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
FUZZERS := fuzz_codepage fuzz_profile fuzz_header fuzz_naming
# Leaks are looked for at every exit; the suppressions name only system
# libraries that keep their caches until the process ends.
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps build run test bench format clean check-sanitize fuzz fuzz-build fuzz-ci tidy

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELBROOK_UNITY=OFF
	cmake --build $(BUILD) -j$(JOBS)

# Builds the program alone (no tests, benchmarks or fuzzers: `make test`
# builds those), its libraries in batches for a short first build, and
# starts it. The sample collection goes beside the executable on first run,
# where the built-in category looks for it.
run: deps
	@echo "== configuring $(BUILD)"
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELBROOK_UNITY=ON
	@echo "== building the program only ($(BUILD)/velbrook, $(JOBS) jobs, libraries in batches)"
	cmake --build $(BUILD) -j$(JOBS) --target velbrook
	@[ -d $(BUILD)/logtext ] || { echo "== copying the sample collection to $(BUILD)/logtext"; \
	  cp -r samples/logtext $(BUILD)/logtext; }
	@echo "== starting $(BUILD)/velbrook"
	cd $(BUILD) && ./velbrook

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 600

# The test programs are listed while they are built, so the build already
# runs under the sanitizers' settings.
check-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELBROOK_SANITIZE=ON -DVELBROOK_BENCH=OFF
	$(SANITIZE_ENV) cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 600

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVELBROOK_FUZZ=ON -DVELBROOK_TESTS=OFF -DVELBROOK_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzzers

# By hand, for long runs: each fuzzing program starts from its committed seeds
# (fuzz/corpus/<name>) and every input that ever broke a property
# (fuzz/regressions/<name>), explores from a random seed for FUZZ_SECONDS and
# keeps what it finds in $(FUZZ_BUILD)/corpus/<name>. An input that breaks a
# property is left as $(FUZZ_BUILD)/<name>-crash-*; it goes into
# fuzz/regressions/<name>/ with its fix.
fuzz: fuzz-build
	@for f in $(FUZZERS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$f; \
	  echo "== $$f for $(FUZZ_SECONDS) s"; \
	  $(SANITIZE_ENV) $(FUZZ_BUILD)/$$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/$$f- $(FUZZ_BUILD)/corpus/$$f fuzz/corpus/$$f \
	    $$( [ -d fuzz/regressions/$$f ] && echo fuzz/regressions/$$f ) || exit 1; \
	done

# For CI: each fuzzing program first replays its committed inputs, then
# explores a fixed number of runs (about half a minute each) from a fixed seed
# into a fresh folder. Address-space layout randomisation, Qt's hash seed and
# the corpus reload are what else makes two walks differ; with all three
# fixed, two runs of one commit try the very same inputs, and a failure always
# comes from the commit's own code.
FUZZ_CI_RUNS := fuzz_codepage:100000 fuzz_profile:100000 fuzz_header:15000 fuzz_naming:100000
FUZZ_FIXED := QT_HASH_SEED=0 setarch -R
fuzz-ci: fuzz-build
	@for entry in $(FUZZ_CI_RUNS); do \
	  f=$${entry%%:*}; runs=$${entry##*:}; \
	  inputs="fuzz/corpus/$$f $$( [ -d fuzz/regressions/$$f ] && echo fuzz/regressions/$$f )"; \
	  echo "== $$f: replaying $$inputs"; \
	  $(SANITIZE_ENV) $(FUZZ_FIXED) $(FUZZ_BUILD)/$$f -runs=0 -artifact_prefix=$(FUZZ_BUILD)/$$f- $$inputs || exit 1; \
	  rm -rf $(FUZZ_BUILD)/ci-corpus/$$f && mkdir -p $(FUZZ_BUILD)/ci-corpus/$$f; \
	  echo "== $$f: $$runs runs from seed $(FUZZ_SEED)"; \
	  $(SANITIZE_ENV) $(FUZZ_FIXED) $(FUZZ_BUILD)/$$f -seed=$(FUZZ_SEED) -runs=$$runs -reload=0 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/$$f- $(FUZZ_BUILD)/ci-corpus/$$f $$inputs || exit 1; \
	done

bench: build
	@for b in $(BUILD)/bench_*; do echo "== $$b"; $$b; done

# Runs clang-tidy with the committed .clang-tidy over the program's own
# sources (and their headers) from the build's compile database; any finding
# fails. The build runs first, so the generated meta-object files exist.
TIDY_DIRS := app settings messages recovery browser editing setup printing ui platform
tidy: build
	@files=$$(git ls-files $(TIDY_DIRS) | grep '\.cpp$$'); \
	echo "clang-tidy over $$(echo $$files | wc -w) files"; \
	echo $$files | xargs -n 4 -P $(JOBS) clang-tidy -p $(BUILD) --quiet --warnings-as-errors='*' \
	  --header-filter='^$(CURDIR)/($(shell echo $(TIDY_DIRS) | tr ' ' '|'))/'

# Applies the committed .clang-format to every C++ file of the project.
format:
	@command -v clang-format >/dev/null || { $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang-format; }
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

# ---- Installing: make install, make uninstall, make deb, make deb-check ----
# The program is built knowing the bin folder it is installed to (run from
# there it keeps its settings in ~/.config/velbrook/) and where its samples
# are, so each target configures its build for its own prefix first.
PREFIX    ?= /usr/local
DEB_BUILD ?= $(BUILD)/deb-tree
PACKAGES  += desktop-file-utils appstream dpkg-dev file librsvg2-bin groff-base
INSTALL_SUDO = $(shell mkdir -p "$(DESTDIR)$(PREFIX)" 2>/dev/null; [ -w "$(DESTDIR)$(PREFIX)" ] || echo $(SUDO))

.PHONY: install uninstall deb deb-check icons

install: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j$(JOBS) --target velbrook velbrook_manpage
	$(INSTALL_SUDO) env DESTDIR="$(DESTDIR)" cmake --install $(BUILD)
	sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt > $(BUILD)/installed-files.txt

# Removes what the last make install put in place (the tests install into
# temporary prefixes too, so the list is kept under a name of its own).
uninstall:
	@[ -f $(BUILD)/installed-files.txt ] || { echo "nothing installed from $(BUILD)"; exit 1; }
	xargs -d '\n' $(INSTALL_SUDO) rm -f < $(BUILD)/installed-files.txt
	rm -f $(BUILD)/installed-files.txt

# The Debian package, built for /usr in a build of its own (no tests), lands
# in $(BUILD)/velbrook_<version>_<arch>.deb.
deb: deps
	cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DVELBROOK_TESTS=OFF -DVELBROOK_BENCH=OFF
	cmake --build $(DEB_BUILD) -j$(JOBS)
	cd $(DEB_BUILD) && cpack -G DEB -B $(abspath $(BUILD))
	@ls $(BUILD)/velbrook_*.deb

# Installs the package, starts it as a user under Xvfb (display $(DISPLAY_NUMBER))
# and removes it again. Changes the machine, so it is not part of make test.
DISPLAY_NUMBER ?= 63
deb-check: deb
	bash packaging/deb_check.sh $(BUILD) $(DISPLAY_NUMBER)

# Draws the PNG icons again from the SVG.
icons:
	for s in 48 128 256; do rsvg-convert -w $$s -h $$s packaging/icons/velbrook.svg \
	  -o packaging/icons/velbrook-$$s.png; done
