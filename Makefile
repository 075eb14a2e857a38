# ZAV Caption: `make run` starts the editor, `make test` runs every suite, `make dist`
# makes the Windows packages.
# Both install the Debian packages they need first (only what is missing).

SHELL := /bin/bash
ROOT := $(abspath .)
BUILD := $(ROOT)/build
WIN_BUILD := $(BUILD)/win
NATIVE_BUILD := $(BUILD)/native
PREFIX := $(BUILD)/wineprefix
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# The native build's packages come first; the Windows side's (the MinGW toolchain,
# Wine and the media plugins, the larger part) are installed while the native side builds.
NATIVE_PACKAGES := cmake make ninja-build g++ clang googletest libbenchmark-dev libclang-rt-14-dev ffmpeg
WIN_PACKAGES := g++-mingw-w64-x86-64 wine64 xvfb xauth \
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad \
  gstreamer1.0-plugins-ugly gstreamer1.0-libav fonts-wine wixl msitools zip
# make run's screenshots (ImageMagick's import): not needed by make test.
RUN_PACKAGES := imagemagick
PACKAGES := $(NATIVE_PACKAGES) $(WIN_PACKAGES) $(RUN_PACKAGES)

# Ninja where it is installed: it keeps both cores busier than make across targets.
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo '-G Ninja')

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps deps-native deps-win deps-run build build-win build-native prefix register run test \
  test-native test-win bench dist clean

all: build

# install-missing: installs those of the packages named that are not installed yet.
define install-missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  $(SUDO) apt-get update -qq && $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps: deps-native deps-win deps-run

deps-native:
	$(call install-missing,$(NATIVE_PACKAGES))

# After the native packages: apt takes one install at a time.
deps-win: deps-native
	$(call install-missing,$(WIN_PACKAGES))

deps-run: deps-win
	$(call install-missing,$(RUN_PACKAGES))

build: build-win build-native

$(WIN_BUILD)/CMakeCache.txt: | deps-win
	cmake $(GENERATOR) -S $(ROOT) -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release

$(NATIVE_BUILD)/CMakeCache.txt: | deps-native
	CC=clang CXX=clang++ cmake $(GENERATOR) -S $(ROOT) -B $(NATIVE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build-win: deps-win $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j$(JOBS)

build-native: deps-native $(NATIVE_BUILD)/CMakeCache.txt
	cmake --build $(NATIVE_BUILD) -j$(JOBS)

# The project's own Wine prefix. mscoree and mshtml stay disabled so that nothing
# offers to download Mono or Gecko.
$(PREFIX)/system.reg: | deps-win
	mkdir -p $(PREFIX)
	$(ROOT)/tools/xvfb-session $(ROOT)/tools/wine-run wineboot -i >/dev/null 2>&1 || true

# Wine's own fonts (MS Sans Serif, Tahoma and the rest) go into the prefix's Fonts
# folder, where Wine finds them; without them the dialogs fall back to a wider font
# and no longer fit their panels.
# The test programs' windows are left unmanaged (tools/wine-test-settings.reg says why),
# written once per prefix.
prefix: deps-win $(PREFIX)/system.reg $(PREFIX)/test-settings
	@mkdir -p $(PREFIX)/drive_c/windows/Fonts
	@if [ -d /usr/share/wine/fonts ]; then cp -u /usr/share/wine/fonts/* $(PREFIX)/drive_c/windows/Fonts/; fi

$(PREFIX)/test-settings: $(ROOT)/tools/wine-test-settings.reg $(PREFIX)/system.reg
	$(ROOT)/tools/xvfb-session $(ROOT)/tools/wine-run regedit /S 'Z:$(subst /,\,$(ROOT))\tools\wine-test-settings.reg' >/dev/null 2>&1
	@touch $@

# Our player control, registered under the player's class id in this prefix only.
# Done every time: a prefix update restores Wine's own stub.
register: build-win prefix
	@if [ -f $(WIN_BUILD)/zavplayer.dll ]; then \
	  $(ROOT)/tools/xvfb-session $(ROOT)/tools/wine-run regsvr32 /s 'Z:$(subst /,\\,$(WIN_BUILD))\zavplayer.dll' >/dev/null 2>&1 || \
	    { echo "registering zavplayer.dll failed"; exit 1; }; \
	fi

run: deps-run register
	$(ROOT)/tools/run-editor

test-native: build-native
	cd $(NATIVE_BUILD) && ctest --output-on-failure -j$(JOBS)

test-win: register
	cd $(WIN_BUILD) && $(ROOT)/tools/xvfb-session ctest --output-on-failure -j$(JOBS)

# On two cores: both builds and the Wine prefix (mostly waiting on wineboot) side by
# side, the Windows side's packages installing meanwhile; then the native tests
# beside the Wine tests, which take turns on one desktop and leave a core free.
# Each step's output is printed whole when it ends.
test:
	@$(MAKE) --no-print-directory -j4 --output-sync=target build-native build-win prefix
	@$(MAKE) --no-print-directory -j2 --output-sync=target test-native test-win

# The benchmarks are outside the default build: made here, not by make test.
bench: build register
	cmake --build $(NATIVE_BUILD) -j$(JOBS) --target benchmarks
	cmake --build $(WIN_BUILD) -j$(JOBS) --target panel_bench timeline_bench sound_decode_bench
	$(ROOT)/tools/run-benchmarks

# The Windows packages, dist/ZAVCaption-VERSION.msi and dist/ZAVCaption-VERSION-portable.zip,
# VERSION being project()'s in CMakeLists.txt (packaging/make-packages.sh).
dist: build-win
	$(ROOT)/packaging/make-packages.sh $(WIN_BUILD) $(ROOT)/dist

clean:
	rm -rf $(BUILD) $(ROOT)/dist
