# Helpers shared by the CMake files of the source, tool and test folders.

include(GoogleTest)

# A GUI-subsystem program with a Unicode entry (wWinMain).
function(pagrion_gui_program name)
    add_executable(${name} WIN32 ${ARGN})
    target_link_options(${name} PRIVATE -municode)
    pagrion_warnings(${name})
endfunction()

# A console program with a Unicode entry (wmain).
function(pagrion_console_program name)
    add_executable(${name} ${ARGN})
    target_link_options(${name} PRIVATE -municode)
    pagrion_warnings(${name})
endfunction()

# One GoogleTest program per test folder: every .cpp in it. CTest runs each of its tests on its
# own, through Wine, so that a slow host times out one test and not a whole program, and a
# failure names its test. The tests are found by scanning the sources, since the cross-built
# program cannot be asked for them on the build host: "<folder>.<Suite>.<Test>", and for a
# parameterised test "<folder>.*/<Suite>.<Test>/*", the filter of all its instances.
#
# The tests of the sources named after INDEPENDENT (without ".cpp"; ALL for every source) touch
# nothing but their own memory and scratch files, and run beside any other test. Every other test
# changes machine-wide state of the Wine prefix, starts programs or windows, or measures on the
# screen: none of those runs at the same time as another (the resource "machine_state").
function(pagrion_test_folder folder)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "INDEPENDENT")
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(name ${folder}_tests)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE pagrion pagrion_test_support GTest::gtest_main)
    pagrion_warnings(${name})
    foreach(source IN LISTS sources)
        gtest_add_tests(TARGET ${name} SOURCES ${source} TEST_PREFIX ${folder}. TEST_LIST tests)
        if(NOT tests)
            continue()
        endif()
        # A filter that matched no test would pass unnoticed.
        set_tests_properties(${tests} PROPERTIES TIMEOUT 300 LABELS ${name}
                             FAIL_REGULAR_EXPRESSION "Running 0 tests")
        get_filename_component(stem ${source} NAME_WE)
        if(NOT ("ALL" IN_LIST ARG_INDEPENDENT OR stem IN_LIST ARG_INDEPENDENT))
            set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK machine_state)
        endif()
    endforeach()
endfunction()
