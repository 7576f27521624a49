# Front door of the build. `make demo` and `make test` are the two commands
# the README promises to work on a fresh Debian 12 machine.
BUILD ?= build
JOBS  ?= $(shell nproc)
# What an organiser runs: the host application, the command line, the module.
PROGRAMS = meisterschaft reports1 Reports1
CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

.PHONY: all build configure programs demo test run bench screenshots clean bootstrap bootstrap-test

all: build

bootstrap:
	@scripts/bootstrap

bootstrap-test:
	@scripts/bootstrap --test

$(BUILD)/build.ninja:
	@$(CONFIGURE)

configure: $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

programs: configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(PROGRAMS)

demo: bootstrap programs
	@scripts/demo

# Configures again: a build folder made by `make demo` before GoogleTest was
# installed has no test programs yet.
test: bootstrap-test
	@$(CONFIGURE)
	@cmake --build $(BUILD) -j $(JOBS)
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# With the demo championship when `make demo` has made one.
run: programs
	@$(BUILD)/bin/meisterschaft $(if $(wildcard demo/out/demo.sqlite),--db demo/out/demo.sqlite --home demo/out/home)

screenshots: bootstrap programs
	@scripts/screenshots

bench: bootstrap programs
	@$(BUILD)/bin/reports1 bench

clean:
	@rm -rf $(BUILD)
