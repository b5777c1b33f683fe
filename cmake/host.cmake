# Host build of the portable logic: unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a libFuzzer target for the settings reader.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})

add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

# Debian's libjpeg (libjpeg-dev), zlib and minizip (zlib1g-dev, libminizip-dev)
# stand in for the ones built for Windows.
find_package(JPEG REQUIRED)
add_library(skin_zip INTERFACE)
target_link_libraries(skin_zip INTERFACE minizip z)

add_library(portable STATIC ${PORTABLE_SOURCES})
traystart_strict(portable)
target_link_libraries(portable PUBLIC JPEG::JPEG skin_zip)

add_executable(portable_tests ${PORTABLE_TESTS})
traystart_strict(portable_tests)
target_compile_definitions(portable_tests PRIVATE TRAYSTART_HOST_BUILD=1 TRAYSTART_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(portable_tests PRIVATE portable GTest::gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

# Each fuzzer: its entry point, the sources it exercises and their libraries.
function(traystart_fuzzer name entry)
  cmake_parse_arguments(F "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${entry} ${F_SOURCES})
  traystart_strict(${name})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBRARIES})
endfunction()

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  traystart_fuzzer(settings_fuzz tests/fuzz/settings_fuzz.cpp SOURCES ${CMAKE_SOURCE_DIR}/src/app/settings_reader.cpp
                   ${CMAKE_SOURCE_DIR}/src/hotkeys/hide_record.cpp)
  traystart_fuzzer(jpeg_fuzz tests/fuzz/jpeg_fuzz.cpp SOURCES ${CMAKE_SOURCE_DIR}/src/help/jpeg_decode.cpp
                   LIBRARIES JPEG::JPEG)
  traystart_fuzzer(skin_fuzz tests/fuzz/skin_fuzz.cpp
                   SOURCES ${CMAKE_SOURCE_DIR}/src/skin/skin_format.cpp ${CMAKE_SOURCE_DIR}/src/skin/skin_archive.cpp
                   LIBRARIES skin_zip)
endif()
