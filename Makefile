# Two entry points for a fresh Debian machine: `make run` and `make test`.
# Both first install the Debian packages that are missing, then build.

BUILD      := build
BUILD_ASAN := build-asan
BUILD_FUZZ := build-fuzz
BUILD_RELEASE := build-release
BUILD_WIN  := build-windows
WORKDIR    := arbeitsordner
JOBS       := $(shell nproc 2>/dev/null || echo 2)
WERROR     := OFF

PACKAGES := cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            libfltk1.3-dev fonts-liberation fonts-liberation2 xdg-utils ebook2cw \
            qpdf poppler-utils sox libsox-fmt-mp3 libhpdf-dev locales \
            xvfb openbox xdotool wmctrl x11-utils imagemagick desktop-file-utils clang-format \
            g++-mingw-w64-x86-64-posix wine wine64 zip unzip nsis multimon-ng
PACKAGES += dpkg-dev lintian mandoc man-db appstream

# Only `make fuzz` needs these: libFuzzer comes with Debian's clang.
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_TARGETS  := settings read_line text pdf vocab word_pool
FUZZ_SECONDS  ?= 60

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test deps build build-asan build-release format-check windows workdir bench fuzz clean deb

run: deps build workdir
	cd $(WORKDIR) && ../$(BUILD)/src/app/velkart

# Warnings are errors for make test (CI runs exactly this), never for make run:
# a user's compiler may warn about things ours does not.
test: WERROR := ON
test: deps format-check build build-asan build-release windows
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cd $(BUILD_ASAN) && ctest --output-on-failure -j$(JOBS) -L unit
	cd $(BUILD_WIN)/velkart && ctest --output-on-failure -j$(JOBS)

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
	@# The number formatting tests also run under a German locale.
	@if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$$' && [ -f /etc/locale.gen ]; then \
	  $(SUDO) sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen && $(SUDO) locale-gen >/dev/null; \
	fi

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKART_WERROR=$(WERROR)
	cmake --build $(BUILD) -j$(JOBS)

build-asan:
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DVELKART_SANITIZE=ON -DVELKART_BENCH=OFF -DVELKART_WERROR=$(WERROR)
	cmake --build $(BUILD_ASAN) -j$(JOBS)

# The optimiser warns about things the other builds never see.
build-release:
	cmake -S . -B $(BUILD_RELEASE) -DCMAKE_BUILD_TYPE=Release -DVELKART_BENCH=OFF -DVELKART_WERROR=$(WERROR)
	cmake --build $(BUILD_RELEASE) -j$(JOBS)

format-check:
	tools/format/format.sh --check

# The same program for 64-bit Windows, cross-compiled; FLTK and GoogleTest for
# Windows are built once into $(BUILD_WIN). The help document and the
# reference for the Windows tests come from the Linux build.
windows: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKART_WERROR=$(WERROR)
	cmake --build $(BUILD) -j$(JOBS) --target help_document velkart-batch
	JOBS=$(JOBS) WERROR=$(WERROR) tools/windows/build.sh $(BUILD_WIN) $(BUILD)/hilfe.pdf $(CURDIR)/$(BUILD)

workdir:
	tools/prepare_workdir.sh $(WORKDIR) data $(BUILD)/hilfe.pdf

# The Debian package velkart_<version>_<arch>.deb, in $(BUILD)/.
deb: deps build
	cd $(BUILD) && cpack -G DEB

bench: deps build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Each target runs for FUZZ_SECONDS from the seed corpus in tests/fuzz/corpus;
# what it finds new goes to $(BUILD_FUZZ)/corpus, a finding stops with its input.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"
	cmake -S . -B $(BUILD_FUZZ) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVELKART_FUZZ=ON -DVELKART_WITH_GUI=OFF -DVELKART_BENCH=OFF -DVELKART_WERROR=OFF
	cmake --build $(BUILD_FUZZ) -j$(JOBS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(BUILD_FUZZ)/corpus/$$t && \
	  $(BUILD_FUZZ)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -max_len=12000 \
	    -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/finding-$$t- \
	    $(BUILD_FUZZ)/corpus/$$t tests/fuzz/corpus/$$t 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|finding' ; \
	  [ -z "$$(ls $(BUILD_FUZZ)/finding-$$t-* 2>/dev/null)" ] || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_RELEASE) $(BUILD_FUZZ) $(BUILD_WIN)
