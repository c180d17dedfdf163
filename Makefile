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

# The package and `cmake --install` come from a build without tests.
PACKAGE_DIR ?= build-package

# Debian packages by purpose. Building and running the program (dpkg-dev
# hands out the hardening flags the build uses, librsvg2-bin renders the icon,
# libsystemd-dev lets the receiver take its sockets from systemd):
RUN_PACKAGES = cmake make g++ pkg-config dpkg-dev qt6-base-dev qt6-translations-l10n libgl-dev libsystemd-dev \
               fonts-liberation fontconfig librsvg2-bin
# What the test suite adds: a private Samba server and its client, a private
# X server with a tray and a window manager to drive the program on, clang
# for the fuzzer, the checkers of the Debian packages and of the receiver's
# systemd units (systemd-analyze; systemd also gives the receiver's tests
# their socket activation), GNOME's platform theme for Qt (the font and
# colour dialogs are tried under it), and a session bus with the
# accessibility bus and pyatspi to hear the program as a screen reader does.
# Samba's own services stay off (scripts/install-packages.sh). openbox is a
# real desktop's window manager for the windows that must appear without
# taking the focus.
TEST_PACKAGES = samba smbclient faketime iproute2 util-linux systemd xvfb xauth xdotool trayer openbox libxcb1-dev \
                clang libclang-rt-14-dev dbus at-spi2-core python3-pyatspi \
                lintian desktop-file-utils appstream qt6-gtk-platformtheme

.PHONY: all deps test-deps configure build run test bench fuzz clean

all: build

deps:
	@scripts/install-packages.sh $(RUN_PACKAGES)

test-deps:
	@scripts/install-packages.sh $(RUN_PACKAGES) $(TEST_PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) -- --no-print-directory

# Only the program and our net. It keeps brisquel.ini in the folder it starts
# in: run it from run/.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target brisquel net -- --no-print-directory
	@mkdir -p run
	@cd run && ../$(BUILD_DIR)/brisquel

test: test-deps
	@$(MAKE) --no-print-directory build
	@cd $(BUILD_DIR) && ctest --output-on-failure --no-tests=error -j $(JOBS)

bench: test-deps
	@$(MAKE) --no-print-directory build
	@for b in $(BUILD_DIR)/bench_*; do [ -x "$$b" ] && tests/support/in-private-network.sh "$$b"; done; true

# The settings loader and the receiver's parsers under libFuzzer, built with
# clang in build-fuzz*/; the inputs found are kept there for the next run.
# `make test` runs both briefly.
FUZZ_SECONDS ?= 600
fuzz: test-deps
	@fuzz/run_fuzz.sh build-fuzz $(FUZZ_SECONDS) $(JOBS)
	@fuzz/run_fuzz.sh build-fuzz-receiver $(FUZZ_SECONDS) $(JOBS) fuzz_receiver

clean:
	rm -rf build build-asan build-fuzz build-fuzz-receiver $(PACKAGE_DIR)

# A Debian package of the program, our net, the launcher, the desktop entry,
# the icons, the AppStream data and the manual pages, into $(PACKAGE_DIR)/.
.PHONY: package
package: deps
	@cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(PACKAGE_DIR) -j $(JOBS) -- --no-print-directory
	@cd $(PACKAGE_DIR) && cpack -G DEB

# Installs what the package holds under PREFIX (default /usr/local); the
# files installed are listed in $(PACKAGE_DIR)/install_manifest.txt.
PREFIX ?= /usr/local
.PHONY: install uninstall
install: deps
	@cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(PACKAGE_DIR) -j $(JOBS) -- --no-print-directory
	@cmake --install $(PACKAGE_DIR) --prefix $(PREFIX) --strip

# Removes what make install put there, and the program's own folders.
uninstall:
	@xargs -d '\n' rm -f < $(PACKAGE_DIR)/install_manifest.txt
	@sed -n 's|/[^/]*$$||p' $(PACKAGE_DIR)/install_manifest.txt | grep '/brisquel$$' | sort -u | xargs -r -d '\n' rmdir

# Pictures of the real program for the README, into docs/.
.PHONY: screenshots
screenshots: build
	@scripts/install-packages.sh imagemagick xvfb xauth xdotool trayer openbox python3 smbclient faketime iproute2 util-linux
	@scripts/screenshots.sh $(BUILD_DIR)
