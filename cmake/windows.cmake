# The real program: 32-bit Win32, ANSI, static runtime; sources are UTF-8 and
# narrow literals are stored as GBK (code page 936), the program's own texts.
enable_language(RC)

add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800
                        NOMINMAX WIN32_LEAN_AND_MEAN STRICT)
set(TRAYSTART_CHARSET -finput-charset=UTF-8 -fexec-charset=GBK)
add_link_options(-static -static-libgcc -static-libstdc++)

add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

function(traystart_win32 target)
  traystart_strict(${target})
  target_compile_options(${target} PRIVATE ${TRAYSTART_CHARSET})
  target_compile_definitions(${target} PRIVATE $<$<NOT:$<BOOL:${TRAYSTART_UNICODE}>>:_MBCS>)
endfunction()

# The JPEG library for the about box's picture, built for this target from
# Debian's libjpeg-turbo source package (into build/libjpeg, not committed).
string(REGEX REPLACE "-g(cc|\\+\\+)(-posix)?$" "" TRAYSTART_MINGW_TRIPLE "${CMAKE_CXX_COMPILER}")
get_filename_component(TRAYSTART_MINGW_TRIPLE "${TRAYSTART_MINGW_TRIPLE}" NAME)
set(TRAYSTART_JPEG_PREFIX ${CMAKE_SOURCE_DIR}/build/libjpeg/${TRAYSTART_MINGW_TRIPLE})
execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-libjpeg.sh ${TRAYSTART_MINGW_TRIPLE}
                RESULT_VARIABLE jpeg_result)
if(NOT jpeg_result EQUAL 0)
  message(FATAL_ERROR "libjpeg for ${TRAYSTART_MINGW_TRIPLE} could not be built (scripts/build-libjpeg.sh)")
endif()
add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES
  IMPORTED_LOCATION ${TRAYSTART_JPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${TRAYSTART_JPEG_PREFIX}/include)

add_subdirectory(src)
add_subdirectory(tests)
# Benchmarks print figures; they are programs, not tests.
add_subdirectory(bench)

