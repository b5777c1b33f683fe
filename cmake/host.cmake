# Host build of the portable logic: unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a libFuzzer target for the settings reader.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})

add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

# The skin reader uses the system's zlib and minizip (zlib1g-dev, libminizip-dev).
add_library(skin_zip INTERFACE)
target_link_libraries(skin_zip INTERFACE minizip z)

add_library(portable STATIC ${PORTABLE_SOURCES})
traystart_strict(portable)
target_link_libraries(portable PUBLIC skin_zip)

add_executable(portable_tests ${PORTABLE_TESTS})
traystart_strict(portable_tests)
target_compile_definitions(portable_tests PRIVATE TRAYSTART_HOST_BUILD=1 TRAYSTART_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(portable_tests PRIVATE portable GTest::gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_executable(settings_fuzz tests/fuzz/settings_fuzz.cpp ${CMAKE_SOURCE_DIR}/src/app/settings_reader.cpp)
  traystart_strict(settings_fuzz)
  target_compile_options(settings_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(settings_fuzz PRIVATE -fsanitize=fuzzer)

  add_executable(skin_fuzz tests/fuzz/skin_fuzz.cpp ${CMAKE_SOURCE_DIR}/src/skin/skin_format.cpp
                 ${CMAKE_SOURCE_DIR}/src/skin/skin_archive.cpp)
  traystart_strict(skin_fuzz)
  target_compile_options(skin_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(skin_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_libraries(skin_fuzz PRIVATE skin_zip)
endif()
