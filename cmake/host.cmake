# Host build of the portable logic: unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a libFuzzer target for the settings reader.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})

add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

# Debian's libjpeg (package libjpeg-dev) stands in for the one built for Windows.
find_package(JPEG REQUIRED)

add_library(portable STATIC ${PORTABLE_SOURCES})
traystart_strict(portable)
target_link_libraries(portable PUBLIC JPEG::JPEG)

add_executable(portable_tests ${PORTABLE_TESTS})
traystart_strict(portable_tests)
target_compile_definitions(portable_tests PRIVATE TRAYSTART_HOST_BUILD=1
                           TRAYSTART_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(portable_tests PRIVATE portable GTest::gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_executable(settings_fuzz tests/fuzz/settings_fuzz.cpp ${CMAKE_SOURCE_DIR}/src/app/settings_reader.cpp)
  traystart_strict(settings_fuzz)
  target_compile_options(settings_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(settings_fuzz PRIVATE -fsanitize=fuzzer)

  add_executable(jpeg_fuzz tests/fuzz/jpeg_fuzz.cpp ${CMAKE_SOURCE_DIR}/src/help/jpeg_decode.cpp)
  traystart_strict(jpeg_fuzz)
  target_compile_options(jpeg_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(jpeg_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_libraries(jpeg_fuzz PRIVATE JPEG::JPEG)
endif()
