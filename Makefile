# The two set-up commands of the README: `make run` and `make test`.
BUILD    ?= build
PACKAGES := qt6-base-dev libqt6sql6-sqlite qt6-svg-dev qt6-translations-l10n libicu-dev \
            fonts-ipafont-gothic xvfb xauth poppler-utils imagemagick cmake ninja-build g++ \
            sqlite3 libbenchmark-dev pkg-config desktop-file-utils appstream dpkg-dev file mupdf-tools \
            qt6-l10n-tools python3 postgresql libqt6sql6-psql libpq-dev
# The benchmarks' yardstick script draws with ReportLab; only `make bench` needs it.
BENCH_PACKAGES := python3-reportlab
JOBS     ?= $(shell nproc)

.PHONY: all deps configure build run test bench soak package clean

all: build

# Installs only what is missing, so a prepared machine skips apt entirely.
deps:
	@missing=$$(for p in $(PACKAGES) $(EXTRA_PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: start it on a desktop, or under Xvfb with: xvfb-run -a $(BUILD)/ledrium"; exit 1; \
	fi
	$(BUILD)/ledrium

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: EXTRA_PACKAGES = $(BENCH_PACKAGES)
bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	@for b in $(BUILD)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; fi; \
	done

# The long reliability runs: 200 kills per save, and the long monkey test. A test function may
# run longer than QTest's usual 5 minutes.
soak: build
	cd $(BUILD) && LEDRIUM_SOAK=1 QTEST_FUNCTION_TIMEOUT=3600000 QT_QPA_PLATFORM=offscreen \
	  ctest --output-on-failure -R 'reliability|monkey'

# A Debian package of the installed program: build/ledrium_<version>_<arch>.deb
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
