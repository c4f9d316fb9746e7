# The two entry points of the README. Both install what is missing first.
.PHONY: deps test run release debug clean format install uninstall deb

# Where `make install` puts the game; `make uninstall` removes what it installed.
PREFIX ?= /usr/local

deps:
	scripts/install-deps

debug: deps
	cmake --preset debug
	cmake --build --preset debug

release: deps
	cmake --preset release
	cmake --build --preset release

test: debug
	ctest --preset debug

run: release
	build/release/bin/cobaltix

install: deps
	cmake --preset release -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build --preset release
	cmake --install build/release

uninstall:
	scripts/uninstall build/release/install_manifest.txt

deb: deps
	scripts/make-deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
