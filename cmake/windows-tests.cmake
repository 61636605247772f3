# The test suites as Windows programs: GoogleTest built from Debian's sources
# with the cross compiler, and one ctest test per suite, run through Wine
# (CMAKE_CROSSCOMPILING_EMULATOR). Discovering each case would start Wine
# once per case at build time.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

function(gtest_discover_tests target)
  add_test(NAME ${target} COMMAND ${target})
endfunction()
