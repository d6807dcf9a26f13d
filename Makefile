# The two commands of the README, and the builds behind them. Each installs the Debian packages
# it needs that are missing (scripts/install-deps).
#   make run          build and start the program
#   make test         build with sanitizers and run every test
#   make bench        Release build of the benchmarks, then run them
#   make fuzz         build the libFuzzer targets with clang
#   make screenshots  render the main window's states and every dialog to PNG files in $(BUILD)/screenshots
#   make deb          build the Debian package into $(BUILD)/deb

BUILD  ?= build
JOBS   ?= 2
WERROR ?= $(if $(CI),ON,OFF)
GENERATOR := -G Ninja

.PHONY: all deps test-deps build run test bench fuzz screenshots deb clean

all: build

deps:
	@./scripts/install-deps run

test-deps:
	@./scripts/install-deps test

$(BUILD)/release/build.ninja:
	cmake -S . -B $(BUILD)/release $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_BUILD_TESTS=OFF

build: deps $(BUILD)/release/build.ninja
	cmake --build $(BUILD)/release -j $(JOBS)

# The window needs a display; without one the headless recorder runs the same timetable.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  exec $(BUILD)/release/bin/tolvane; \
	else \
	  echo "make run: no display (DISPLAY and WAYLAND_DISPLAY are unset); running the headless recorder instead"; \
	  $(BUILD)/release/bin/tolvane-cli status; \
	  exec $(BUILD)/release/bin/tolvane-cli run; \
	fi

test: test-deps
	cmake -S . -B $(BUILD)/test $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=ON -DTOLVANE_WERROR=$(WERROR)
	cmake --build $(BUILD)/test -j $(JOBS)
	cd $(BUILD)/test && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 600

bench:
	@./scripts/install-deps bench
	cmake -S . -B $(BUILD)/bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BUILD_TESTS=OFF -DTOLVANE_BUILD_BENCH=ON
	cmake --build $(BUILD)/bench -j $(JOBS)
	@for b in $(BUILD)/bench/bin/bench_*; do echo "== $$b"; "$$b" || exit 1; done

fuzz:
	@./scripts/install-deps fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTOLVANE_BUILD_TESTS=OFF -DTOLVANE_BUILD_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	@echo "fuzz targets: $$(ls $(BUILD)/fuzz/bin/fuzz_*)"

screenshots: test-deps
	cmake -S . -B $(BUILD)/dev $(GENERATOR) -DTOLVANE_BUILD_TESTS=ON
	cmake --build $(BUILD)/dev -j $(JOBS) --target frontend_screenshots
	$(BUILD)/dev/bin/frontend_screenshots $(BUILD)/screenshots

# Built for /usr with all of Debian's hardening flags, stripped, its dependencies read by
# dpkg-shlibdeps.
deb: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
deb:
	@./scripts/install-deps package
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B $(BUILD)/deb $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
	  -DTOLVANE_BUILD_TESTS=OFF
	cmake --build $(BUILD)/deb -j $(JOBS)
	cd $(BUILD)/deb && cpack
	@ls $(BUILD)/deb/tolvane_*.deb

clean:
	rm -rf $(BUILD)
