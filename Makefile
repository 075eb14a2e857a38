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
# The Wine-side tests run on this many Wine desktops side by side, each a display and
# a prefix of its own (tools/wine-desktops): build/wineprefix, build/wineprefix-1, ...
WINE_DESKTOPS := 2
DESKTOP_PREFIXES := $(PREFIX) $(addprefix $(PREFIX)-,$(shell seq 1 $$(($(WINE_DESKTOPS) - 1))))

# The compilers come first (both builds wait for them); what only the tests need
# (Wine and its media plugins, ffmpeg for test media, the packaging tools: the larger
# part) is installed while both sides build.
BUILD_PACKAGES := cmake make ninja-build g++ clang googletest libbenchmark-dev libclang-rt-14-dev \
  g++-mingw-w64-x86-64
TEST_PACKAGES := wine64 xvfb ffmpeg \
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad \
  gstreamer1.0-plugins-ugly gstreamer1.0-libav fonts-wine wixl msitools zip
# make run's screenshots (ImageMagick's import): not needed by make test.
RUN_PACKAGES := imagemagick
PACKAGES := $(BUILD_PACKAGES) $(TEST_PACKAGES) $(RUN_PACKAGES)

# Ninja where it is installed (looked up when a build is configured, after the
# packages are installed): it keeps both cores busier than make across targets.
GENERATOR = $(shell command -v ninja >/dev/null 2>&1 && echo '-G Ninja')

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps deps-build deps-test deps-run build build-win build-native prefix register run test \
  test-native test-win bench dist clean

all: build

# install-missing: installs those of the packages named that are not installed yet.
# The package lists are updated only when the install cannot go ahead without it (no
# lists yet, or lists too old for the archive); dpkg skips its fsyncs, which cost
# more than the unpacking of Wine's many small files.
APT_INSTALL = $(SUDO) apt-get install -y -qq --no-install-recommends -o Dpkg::Options::=--force-unsafe-io
define install-missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  $(APT_INSTALL) $$missing 2>/dev/null || { $(SUDO) apt-get update -qq && $(APT_INSTALL) $$missing; }; \
	fi
endef

deps: deps-build deps-test deps-run

deps-build:
	$(call install-missing,$(BUILD_PACKAGES))

# After the compilers: apt takes one install at a time.
deps-test: deps-build
	$(call install-missing,$(TEST_PACKAGES))

deps-run: deps-test
	$(call install-missing,$(RUN_PACKAGES))

build: build-win build-native

$(WIN_BUILD)/CMakeCache.txt: | deps-build
	cmake $(GENERATOR) -S $(ROOT) -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release

# After the test-only packages too: the native tests made with ffmpeg are added where
# it is installed when the build is configured. Debug information is line tables only:
# enough for the sanitizers' reports, and quicker to build than full -g.
$(NATIVE_BUILD)/CMakeCache.txt: | deps-test
	CC=clang CXX=clang++ cmake $(GENERATOR) -S $(ROOT) -B $(NATIVE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  '-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -gline-tables-only -DNDEBUG'

build-win: deps-build $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j$(JOBS)

# NATIVE_NICE: make test builds the native side at a lower priority than the Windows
# side, whose tests take longest.
build-native: deps-test $(NATIVE_BUILD)/CMakeCache.txt
	$(NATIVE_NICE) cmake --build $(NATIVE_BUILD) -j$(JOBS)

# The project's own Wine prefix. mscoree and mshtml stay disabled so that nothing
# offers to download Mono or Gecko.
$(PREFIX)/system.reg: | deps-test
	mkdir -p $(PREFIX)
	$(ROOT)/tools/xvfb-session $(ROOT)/tools/wine-run wineboot -i >/dev/null 2>&1 || true

# Wine's own fonts (MS Sans Serif, Tahoma and the rest) go into the prefix's Fonts
# folder, where Wine finds them; without them the dialogs fall back to a wider font
# and no longer fit their panels.
# The test programs' windows are left unmanaged (tools/wine-test-settings.reg says why),
# written once per prefix. The other desktops' prefixes are copies of the finished one.
prefix: deps-test $(addsuffix /fonts-installed,$(DESKTOP_PREFIXES))

$(PREFIX)/test-settings: $(ROOT)/tools/wine-test-settings.reg $(PREFIX)/system.reg
	$(ROOT)/tools/xvfb-session $(ROOT)/tools/wine-run regedit /S 'Z:$(subst /,\,$(ROOT))\tools\wine-test-settings.reg' >/dev/null 2>&1
	@touch $@

$(PREFIX)/fonts-installed: $(PREFIX)/test-settings
	@mkdir -p $(PREFIX)/drive_c/windows/Fonts
	@if [ -d /usr/share/wine/fonts ]; then cp -u /usr/share/wine/fonts/* $(PREFIX)/drive_c/windows/Fonts/; fi
	@touch $@

$(PREFIX)-%/fonts-installed: $(PREFIX)/fonts-installed
	rm -rf $(PREFIX)-$* && cp -a $(PREFIX) $(PREFIX)-$*

# Our player control, registered under the player's class id in this prefix only.
# Done every time: a prefix update restores Wine's own stub.
register: build-win prefix
	@if [ -f $(WIN_BUILD)/zavplayer.dll ]; then \
	  pids=""; for p in $(DESKTOP_PREFIXES); do \
	    WINEPREFIX=$$p $(ROOT)/tools/xvfb-session $(ROOT)/tools/wine-run regsvr32 /s 'Z:$(subst /,\\,$(WIN_BUILD))\zavplayer.dll' >/dev/null 2>&1 & \
	    pids="$$pids $$!"; \
	  done; \
	  for pid in $$pids; do wait $$pid || { echo "registering zavplayer.dll failed"; exit 1; }; done; \
	fi

run: deps-run register
	$(ROOT)/tools/run-editor

test-native: build-native
	cd $(NATIVE_BUILD) && $(NATIVE_NICE) ctest --output-on-failure -j$(JOBS)

# One CTest job per desktop, and one more for the scripts that run beside them.
test-win: register
	cd $(WIN_BUILD) && $(ROOT)/tools/wine-desktops $(WINE_DESKTOPS) \
	  ctest --output-on-failure -j$$(($(WINE_DESKTOPS) + 1))

# On two cores: both builds and the Wine prefixes (mostly waiting on wineboot) side by
# side, the test-only packages installing meanwhile. The Wine tests, the longest part
# and mostly waiting on their windows, start as soon as the Windows side is built; the
# native side builds and tests at a lower priority, in the time they leave.
# Each step's output is printed whole when it ends.
test:
	@$(MAKE) --no-print-directory -j4 --output-sync=target NATIVE_NICE="nice -n 10" test-native test-win

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
