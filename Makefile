# Two commands do everything on a fresh Debian machine: `make run` and `make test`.
# SANITIZE=1 builds and tests with AddressSanitizer and UBSan in build-asan/.

SANITIZE ?= 0
JOBS ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD_DIR ?= build-asan
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=Debug -DBRISQUEL_SANITIZE=ON
else
BUILD_DIR ?= build
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif
# CI builds warning-free or not at all.
ifeq ($(CI),true)
CMAKE_FLAGS += -DBRISQUEL_WERROR=ON
endif

# Debian packages the build, the program and the test suite need.
PACKAGES = cmake make g++ pkg-config qt6-base-dev qt6-translations-l10n libgl-dev \
           fonts-liberation fontconfig samba smbclient xvfb xauth xdotool trayer \
           clang libclang-rt-14-dev libxcb1-dev

SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench fuzz clean

all: build

# Installs only what is missing, so a set-up machine does no apt work at all.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) -- --no-print-directory

# The program keeps brisquel.ini in the folder it starts in: run it from run/.
run: build
	@mkdir -p run
	@cd run && ../$(BUILD_DIR)/brisquel

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure --no-tests=error -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bench_*; do [ -x "$$b" ] && "$$b"; done; true

# The settings loader under libFuzzer, built with clang in build-fuzz/; the
# inputs it finds are kept there for the next run. `make test` runs it briefly.
FUZZ_SECONDS ?= 600
fuzz: deps
	@fuzz/run_fuzz.sh build-fuzz $(FUZZ_SECONDS) $(JOBS)

clean:
	rm -rf build build-asan build-fuzz

# A Debian package of the program, our net and the desktop entry.
.PHONY: package
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# Pictures of the real program for the README, into docs/.
.PHONY: screenshots
screenshots: build
	@$(MAKE) --no-print-directory deps PACKAGES="imagemagick xvfb xauth xdotool trayer openbox"
	@scripts/screenshots.sh $(BUILD_DIR)
