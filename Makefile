# Vorlux: the two commands of the README, and the build they share.
#   make run    - build, then run the saver under Wine
#   make test   - build, then run every test through ctest
#   make run-config - build, then open the configuration dialog and its pages under Wine and save pictures
#   make dist   - build both vorlux.scr, then the release in dist/: zip, installer and SHA-256 sums,
#                 the same bytes for the same commit; signed with SIGN_PFX=<file.pfx> SIGN_PASSWORD_FILE=<file>
#   make build  - build both vorlux.scr files (build/win32: the product, build/win64) without testing
.PHONY: all setup build product run run-config test dist clean

ifneq ($(CI),)
  export VORLUX_WERROR := ON
endif

all: build

setup:
	@bash scripts/setup.sh

build: setup
	cmake --preset win32 >/dev/null && cmake --build --preset win32
	cmake --preset win64 >/dev/null && cmake --build --preset win64
	cmake --preset fuzz >/dev/null && cmake --build --preset fuzz
	cmake --preset native >/dev/null && cmake --build --preset native

test: build
	ctest --preset all

run: build
	bash scripts/run.sh

run-config: build
	bash scripts/run_config.sh

# What the release needs of both builds, and nothing of the tests.
product: setup
	cmake --preset win32 >/dev/null && cmake --build --preset win32
	cmake --preset win64 >/dev/null && cmake --build --preset win64 --target vorlux vorlux_help

dist:
	@bash scripts/dist.sh --check
	$(MAKE) product
	SIGN_PFX="$(SIGN_PFX)" SIGN_PASSWORD_FILE="$(SIGN_PASSWORD_FILE)" bash scripts/dist.sh

clean:
	rm -rf build out dist
