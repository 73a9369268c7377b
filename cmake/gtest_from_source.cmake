# GoogleTest compiled here, from Debian's sources (package googletest), with this build's
# compiler, standard library and sanitizers: Debian's prebuilt libgtest is built against
# libstdc++ and cannot be linked into a libc++ build.
# Provides the same targets as find_package(GTest): GTest::gtest and GTest::gtest_main.
set(SHIRAKABA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
if(NOT EXISTS ${SHIRAKABA_GTEST_SOURCE_DIR}/googletest/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${SHIRAKABA_GTEST_SOURCE_DIR} (Debian package googletest)")
endif()
set(BUILD_GMOCK OFF)    # the tests use no mocks
set(INSTALL_GTEST OFF)  # the install rules are the game's only
add_subdirectory(${SHIRAKABA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
