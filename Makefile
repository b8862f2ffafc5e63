# Every target installs what is missing first, so a fresh Debian machine needs nothing else.
BUILD := build
SIM := $(BUILD)/bin/rafta-sim

.PHONY: all deps configure build demo test format tidy clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build --preset default

demo: build
	$(SIM) run scenarios/showcase.scn

test: build
	ctest --preset default

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

# clang-tidy reads the GCC build's commands, less the one flag clang does not know.
tidy: configure
	@mkdir -p $(BUILD)/tidy
	@sed 's/-fno-gnu-unique//g' $(BUILD)/compile_commands.json >$(BUILD)/tidy/compile_commands.json
	@git ls-files 'source/*.cpp' 'tests/*.cpp' | xargs clang-tidy -p $(BUILD)/tidy --quiet

clean:
	rm -rf $(BUILD)
