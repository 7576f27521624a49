# Front door of the build. `make demo` and `make test` are the two commands
# the README promises to work on a fresh Debian 12 machine.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all build configure demo test run bench clean bootstrap

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja:
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

configure: $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

demo: bootstrap build
	@scripts/demo

test: bootstrap build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# With the demo championship when `make demo` has made one.
run: build
	@$(BUILD)/bin/meisterschaft $(if $(wildcard demo/out/demo.sqlite),--db demo/out/demo.sqlite --home demo/out/home)

bench: bootstrap build
	@$(BUILD)/bin/reports1 bench

clean:
	@rm -rf $(BUILD)
