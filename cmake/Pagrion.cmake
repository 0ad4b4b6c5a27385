# Helpers shared by the CMake files of the source, tool and test folders.

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

# One GoogleTest program per test folder: every .cpp in it, run by CTest through Wine.
function(pagrion_test_folder folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(name ${folder}_tests)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE pagrion pagrion_test_support GTest::gtest_main)
    pagrion_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
