# The real program: 32-bit Win32, ANSI, static runtime; sources are UTF-8 and
# narrow literals are stored as GBK (code page 936), the program's own texts.
enable_language(RC)

add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800
                        NOMINMAX WIN32_LEAN_AND_MEAN STRICT)
set(TRAYSTART_CHARSET -finput-charset=UTF-8 -fexec-charset=GBK)
add_link_options(-static -static-libgcc -static-libstdc++)

add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

# The libraries built for this target from Debian's source packages (into
# build/<library>/<triple>, not committed). Each script returns at once when
# its library is already there.
set(TRAYSTART_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
function(traystart_debian_library script)
  execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/${script} ${TRAYSTART_MINGW_TRIPLE} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "scripts/${script} could not build its library for ${TRAYSTART_MINGW_TRIPLE}")
  endif()
endfunction()

# zlib and minizip's reader for the skin archives.
traystart_debian_library(build-zlib.sh)
set(TRAYSTART_ZLIB_PREFIX ${CMAKE_SOURCE_DIR}/build/zlib/${TRAYSTART_MINGW_TRIPLE})
add_library(skin_zip INTERFACE)
target_include_directories(skin_zip SYSTEM INTERFACE ${TRAYSTART_ZLIB_PREFIX}/include)
target_link_libraries(skin_zip INTERFACE ${TRAYSTART_ZLIB_PREFIX}/lib/libminizip.a ${TRAYSTART_ZLIB_PREFIX}/lib/libz.a)

function(traystart_win32 target)
  traystart_strict(${target})
  target_compile_options(${target} PRIVATE ${TRAYSTART_CHARSET})
  target_compile_definitions(${target} PRIVATE $<$<NOT:$<BOOL:${TRAYSTART_UNICODE}>>:_MBCS>)
endfunction()

# The JPEG library for the about box's picture (libjpeg-turbo).
traystart_debian_library(build-libjpeg.sh)
set(TRAYSTART_JPEG_PREFIX ${CMAKE_SOURCE_DIR}/build/libjpeg/${TRAYSTART_MINGW_TRIPLE})
add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES
  IMPORTED_LOCATION ${TRAYSTART_JPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${TRAYSTART_JPEG_PREFIX}/include)

add_subdirectory(src)
add_subdirectory(tests)
# Benchmarks print figures; they are programs, not tests.
add_subdirectory(bench)
