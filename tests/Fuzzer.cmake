# libFuzzer targets. libFuzzer needs clang; the project's own build uses another
# compiler, so a fuzzer compiles its sources again with clang.
include_guard(GLOBAL)
find_program(COBALTIX_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14 REQUIRED)

# clang without its fuzzer runtime cannot link the targets: say what is missing.
set(probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
file(WRITE ${probe_dir}/probe.cpp
    "#include <cstddef>\n#include <cstdint>\n"
    "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t *, size_t) { return 0; }\n")
execute_process(
    COMMAND ${COBALTIX_CLANGXX} -fsanitize=fuzzer,address,undefined ${probe_dir}/probe.cpp
            -o ${probe_dir}/probe
    RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
if(NOT probe_result EQUAL 0)
    message(FATAL_ERROR "${COBALTIX_CLANGXX} cannot link a fuzzer: install libclang-rt-14-dev")
endif()

# cobaltix_add_fuzzer(TARGET SOURCES sources... DEPENDS headers...): builds
# bin/TARGET with clang over Qt Core, in a target of that name built by default. Qt
# Gui's headers are at hand for sources whose headers name its types.
function(cobaltix_add_fuzzer name)
    cmake_parse_arguments(F "" "" "SOURCES;DEPENDS" ${ARGN})
    set(fuzzer ${COBALTIX_BIN_DIR}/${name})
    set(qt_includes $<TARGET_PROPERTY:Qt6::Core,INTERFACE_INCLUDE_DIRECTORIES>
                    $<TARGET_PROPERTY:Qt6::Gui,INTERFACE_INCLUDE_DIRECTORIES>)
    add_custom_command(OUTPUT ${fuzzer}
        COMMAND ${COBALTIX_CLANGXX} -std=c++20 -g -O1 -fPIC
                -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
                -I${PROJECT_SOURCE_DIR} "-I$<JOIN:${qt_includes},;-I>"
                ${F_SOURCES} $<TARGET_FILE:Qt6::Core> -o ${fuzzer}
        DEPENDS ${F_SOURCES} ${F_DEPENDS}
        COMMAND_EXPAND_LISTS
        COMMENT "Building ${name} with clang")
    add_custom_target(${name} ALL DEPENDS ${fuzzer})
endfunction()
