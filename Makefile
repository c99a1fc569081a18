# Velbrook: `make run` builds and starts the program, `make test` builds and
# runs every test. Both first install the Debian packages that are missing.

BUILD   ?= build
JOBS    ?= 2
PACKAGES := cmake g++ make pkg-config qt6-base-dev libgl-dev libpcre2-dev fonts-ipafont-gothic \
            libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-utils \
            poppler-utils imagemagick xdotool
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build run test bench format clean

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
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

# The sample collection goes beside the executable on first run, where the
# built-in category looks for it.
run: build
	@[ -d $(BUILD)/logtext ] || cp -r samples/logtext $(BUILD)/logtext
	cd $(BUILD) && ./velbrook

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 600

bench: build
	@for b in $(BUILD)/bench_*; do echo "== $$b"; $$b; done

# Applies the committed .clang-format to every C++ file of the project.
format:
	@command -v clang-format >/dev/null || { $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang-format; }
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
