# The two entry points of the README. Both install what is missing first.
.PHONY: deps test run release debug clean format

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

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
