# Two entry points for a fresh Debian 12: `make run` and `make test`.
# Each installs the Debian packages that are missing, then builds with CMake.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= 2

# libevent-dev, nettle-dev: libunbound's pkg-config file asks for theirs, and libunbound-dev
# does not bring them.
BUILD_PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools \
                  qt6-webengine-dev qt6-webengine-dev-tools libgl-dev libxcb1-dev fonts-dejavu-core \
                  libunbound-dev libevent-dev nettle-dev dns-root-data
# xvfb, xauth: the real-engine tests run on an X server of their own (xvfb-run), drawing with
# OpenGL, where shader caches come into play. dbus-daemon, at-spi2-core: a session bus and the
# accessibility bus, for the check that screen readers hear a tab's DNS verdict. util-linux,
# iproute2: the window tests run in a network namespace of their own (unshare, ip). ldnsutils,
# nsd, unbound: a signed test root and suffixes, served and validated by real DNS servers.
TEST_PACKAGES  := $(BUILD_PACKAGES) desktop-file-utils appstream dpkg-dev file lintian xvfb \
                  xauth libgl1-mesa-dri dbus-daemon at-spi2-core util-linux iproute2 \
                  ldnsutils nsd unbound
PACKAGE_PACKAGES := $(BUILD_PACKAGES) dpkg-dev file
# The benchmark also measures under an X server of its own, drawn with OpenGL in software.
BENCH_PACKAGES := $(BUILD_PACKAGES) xvfb libgl1-mesa-dri

# Chromium refuses to run as root with its sandbox on. Only then is it switched
# off, and only for the processes these targets start; normal users keep it.
ifeq ($(shell id -u),0)
  ENGINE_ENV := QTWEBENGINE_DISABLE_SANDBOX=1
endif

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
missing = $(strip $(foreach p,$(1),$(if $(shell dpkg-query -W -f='$${Status}' $(p) 2>/dev/null | grep -q 'ok installed' && echo y),,$(p))))
# Installs those of the packages $(1) that are missing.
install_missing = @pkgs="$(call missing,$(1))"; if [ -n "$$pkgs" ]; then \
  echo "Installing: $$pkgs"; \
  $(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y $$pkgs; fi

# WERROR=1 (as CI runs it) fails the build on any compiler warning.
WERROR ?= 0
# Every setting given each time, so that the build folder holds what this command asks for,
# not what an earlier one left: $(1) is BUILD_TESTING, off where no test is built.
configure = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=$(1) \
            -DQUILLET_WARNINGS_AS_ERRORS=$(if $(filter 1,$(WERROR)),ON,OFF)
# Builds the target $(1), or everything configured when none is named.
compile = cmake --build $(BUILD_DIR) -j $(JOBS) $(if $(1),--target $(1))

.PHONY: run test build program deps test-deps bench bench-deps clean package package-deps

run: deps program
	$(ENGINE_ENV) ./$(BUILD_DIR)/quillet-lookup

# A build folder without tests fails here rather than passing.
test: test-deps build
	$(ENGINE_ENV) ctest --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error --timeout 600

# A Debian package of the program in $(BUILD_DIR), its dependencies worked out from the binary.
package: package-deps program
	cd $(BUILD_DIR) && cpack -G DEB

# Under X (Xvfb) and headless, one table each; BENCH_ARGS=--offscreen for headless only.
bench: bench-deps
	$(call configure,OFF)
	$(call compile,quillet-bench)
	$(ENGINE_ENV) ./$(BUILD_DIR)/bench/quillet-bench $(BENCH_ARGS)

# Only the program: neither the tests nor what they need.
program:
	$(call configure,OFF)
	$(call compile,quillet-lookup)

# The program, its tests, tools and benchmark.
build:
	$(call configure,ON)
	$(call compile)

deps:
	$(call install_missing,$(BUILD_PACKAGES))

# Debian starts nsd and unbound as services when it installs them; the tests want only their
# programs. Services this command brought in are stopped and disabled again, so that the
# machine's own DNS stays as it was (unbound's would take it over where resolvconf runs). The
# list of those is made before the first line runs, while they are still missing.
test-deps:
	$(call install_missing,$(TEST_PACKAGES))
	@for s in $(call missing,nsd unbound); do \
	  if [ -d /run/systemd/system ]; then $(SUDO) systemctl disable --now $$s; fi; done

bench-deps:
	$(call install_missing,$(BENCH_PACKAGES))

package-deps:
	$(call install_missing,$(PACKAGE_PACKAGES))

clean:
	rm -rf $(BUILD_DIR)
