# The Windows build: the real windows.h from MinGW-w64 instead of the headless
# backend, GoogleTest built from Debian's sources, and executables linked
# statically so that Wine needs no MinGW runtime DLLs.
add_compile_definitions(NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)
enable_language(RC)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
# GoogleTest is built with its own flags: our -Werror and CP950 literals are for our
# sources (libstdc++'s <chrono>, which it includes, has a literal CP950 cannot hold).
get_directory_property(qz_compile_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${qz_compile_options}")
foreach(lib gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${lib})
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()

# qz_add_test(<name> LABEL <label> SOURCES <files...> LIBS <targets...>): one ctest
# entry per executable, run through CMAKE_CROSSCOMPILING_EMULATOR (Wine). Each
# carries the manifest that selects common controls version 6, as the terminal does.
function(qz_add_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/windows/common_controls.rc)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL})
endfunction()
