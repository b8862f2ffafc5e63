# Every target installs what is missing first, so a fresh Debian machine needs nothing else.
BUILD := build
SIM := $(BUILD)/bin/rafta-sim

.PHONY: all deps configure build demo docs-pictures test format tidy clean windows windows-test

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build --preset default

PICTURES := $(BUILD)/demo-pictures

demo: build
	@rm -rf $(PICTURES)
	$(SIM) run scenarios/showcase.scn --png $(PICTURES)
	@echo "Pictures of the overlay's five styles and of the settings page: $(PICTURES)/"

# The README's pictures, drawn anew by the code so that they never drift from it.
docs-pictures: demo
	@cp $(PICTURES)/frame-0001.png docs/overlay-classique.png
	@cp $(PICTURES)/frame-0002.png docs/overlay-minimaliste.png
	@cp $(PICTURES)/frame-0003.png docs/overlay-large.png
	@cp $(PICTURES)/frame-0004.png docs/overlay-sobre.png
	@cp $(PICTURES)/frame-0005.png docs/overlay-tableau.png
	@cp $(PICTURES)/settings-0001.png docs/settings-page.png

test: build
	ctest --preset default

# The Windows module, host library and rafta-sim.exe, cross-built with MinGW-w64.
WINDOWS_BUILD := build-windows

windows:
	@scripts/install-windows-deps.sh $(WINDOWS_BUILD)/imgui-source
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

# Every scenario under Wine against the Linux run, and the built files' identity.
windows-test: windows build
	@scripts/windows-test.sh $(WINDOWS_BUILD)/bin $(SIM)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

# clang-tidy reads the GCC build's commands, less the one flag clang does not know.
tidy: configure
	@mkdir -p $(BUILD)/tidy
	@sed 's/-fno-gnu-unique//g' $(BUILD)/compile_commands.json >$(BUILD)/tidy/compile_commands.json
	@git ls-files 'source/*.cpp' 'tests/*.cpp' | xargs clang-tidy -p $(BUILD)/tidy --quiet

clean:
	rm -rf $(BUILD)
