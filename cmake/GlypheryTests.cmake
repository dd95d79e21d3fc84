# Debian's Python, which has PIL (python3-pil), for the readback checks.
find_program(GY_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

# gy_add_test(NAME name SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest program; on Windows it runs under Wine through the emulator.
function(gy_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest gtest_main)
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
    if(WIN32)
        target_link_options(${T_NAME} PRIVATE -mconsole)
    endif()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300 LABELS "${T_LABELS}")
endfunction()

# gy_add_readback(NAME name SCRIPT script.py DIR folder AFTER tests... LABELS ...)
# A readback check: a script of tests/readback/ reads the files that the
# Windows tests named in AFTER left in DIR, with readers nobody here wrote.
function(gy_add_readback)
    cmake_parse_arguments(R "" "NAME;SCRIPT;DIR" "AFTER;LABELS" ${ARGN})
    add_test(NAME ${R_NAME} COMMAND ${GY_PYTHON} ${CMAKE_SOURCE_DIR}/tests/readback/${R_SCRIPT} ${R_DIR})
    set_tests_properties(${R_NAME} PROPERTIES DEPENDS "${R_AFTER}" LABELS "${R_LABELS}")
endfunction()

# gy_add_fuzzer(NAME name SOURCES ... LIBS ... CORPUS dir)
# A libFuzzer target (native tree, clang only), run briefly as a test.
function(gy_add_fuzzer)
    cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        return()
    endif()
    add_executable(${F_NAME} ${F_SOURCES})
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    target_include_directories(${F_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    set(seconds $ENV{GY_FUZZ_SECONDS})
    if(NOT seconds)
        set(seconds 10)
    endif()
    add_test(NAME ${F_NAME} COMMAND ${F_NAME} -max_total_time=${seconds} -rss_limit_mb=1024
             -print_final_stats=1 ${F_CORPUS})
    set_tests_properties(${F_NAME} PROPERTIES LABELS fuzz TIMEOUT 900)
endfunction()

# gy_module_def(target def)
# Exports of a DLL from its .def file. The .def names the 32-bit __stdcall
# symbols (saveICON@28) and the DLL exports them undecorated (--kill-at); ld's
# own import library then drops the decoration callers link against, so it is
# made again from the .def with dlltool -k. On 64-bit Windows there is one
# calling convention and no decoration: the names are taken without "@NN".
function(gy_module_def target def)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        file(READ ${def} text)
        string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*)@[0-9]+" "\\1" text "${text}")
        set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
        file(WRITE ${out} "${text}")
        target_sources(${target} PRIVATE ${out})
    else()
        target_sources(${target} PRIVATE ${def})
        target_link_options(${target} PRIVATE -Wl,--kill-at)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${GY_DLLTOOL} -k -d ${def} -D $<TARGET_FILE_NAME:${target}>
                    -l $<TARGET_LINKER_FILE:${target}>
            VERBATIM)
    endif()
endfunction()

# gy_list_modules(out)
# The programs and libraries the build makes outside tests/ (what it ships),
# one file name a line, written when the build is generated. Called once all
# folders are added.
function(gy_list_modules out)
    set(dirs ${CMAKE_SOURCE_DIR})
    set(names "")
    while(dirs)
        list(POP_FRONT dirs dir)
        get_property(subs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
        list(APPEND dirs ${subs})
        if(NOT dir MATCHES "^${CMAKE_SOURCE_DIR}(/|$)" OR dir MATCHES "^${CMAKE_SOURCE_DIR}/tests(/|$)")
            continue()
        endif()
        get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(t IN LISTS targets)
            get_target_property(type ${t} TYPE)
            if(type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$")
                string(APPEND names "$<TARGET_FILE_NAME:${t}>\n")
            endif()
        endforeach()
    endwhile()
    file(GENERATE OUTPUT ${out} CONTENT "${names}")
endfunction()
