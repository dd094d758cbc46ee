# Shared build rules: warnings as errors, the include root, and the per-folder helpers that let a
# module add its libraries and tests in a couple of lines.

add_library(kor_options INTERFACE)
target_compile_options(kor_options INTERFACE -Wall -Wextra -Werror)
target_include_directories(kor_options INTERFACE ${PROJECT_SOURCE_DIR})
if(WIN32)
    target_compile_definitions(kor_options INTERFACE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
    target_link_options(kor_options INTERFACE -static)
endif()

set(KOR_RESULTS ${CMAKE_BINARY_DIR}/results)
if(WIN32)
    set(KOR_RESULTS Z:${KOR_RESULTS})  # as the Windows programs see it: Wine maps / to Z:
endif()

# GoogleTest from Debian's sources, built with this tree's compiler.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# kor_core(NAME SOURCES...): portable core, plain C++ without <windows.h>, built in both trees.
function(kor_core name)
    add_library(${name} STATIC ${ARGN})
    target_link_libraries(${name} PUBLIC kor_options)
endfunction()

# kor_win(NAME SOURCES... [LIBS libs...]): the Win32 side of a module, built in the Windows tree only.
function(kor_win name)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(W "" "" "LIBS" ${ARGN})
    add_library(${name} STATIC ${W_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PUBLIC kor_options ${W_LIBS})
endfunction()

# kor_tests([HOST libs...] [WIN libs...]): one test program per test file of the calling folder.
# *_test.cpp files test the portable core: they run natively in the host tree, and again under Wine
# in the Windows tree, where the target's compiler and runtime must give the same answers.
# *_wintest.cpp files test the Win32 side and exist only in the Windows tree.
function(kor_tests)
    cmake_parse_arguments(T "" "" "HOST;WIN" ${ARGN})
    file(GLOB core_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    foreach(file ${core_tests})
        kor_test_program(${file} ${T_HOST})
    endforeach()
    if(WIN32)
        file(GLOB win_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_wintest.cpp)
        foreach(file ${win_tests})
            kor_test_program(${file} ${T_WIN})
        endforeach()
    endif()
endfunction()

function(kor_test_program file)
    get_filename_component(name ${file} NAME_WE)
    add_executable(${name} ${file})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest_main kor_options)
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${KOR_RESULTS}/${name}.xml
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# kor_benches([libs...]): one benchmark program per *_bench.cpp of the calling folder, in the
# Windows tree only; `make bench` runs them all under Wine (scripts/run-bench.sh).
function(kor_benches)
    if(NOT WIN32)
        return()
    endif()
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_bench.cpp)
    foreach(file ${files})
        get_filename_component(name ${file} NAME_WE)
        add_executable(${name} ${file})
        target_link_libraries(${name} PRIVATE ${ARGN} kor_options)
    endforeach()
endfunction()
