# The real program: 32-bit Win32, ANSI, static runtime; sources are UTF-8 and
# narrow literals are stored as GBK (code page 936), the program's own texts.
enable_language(RC)

# The oldest Windows the program loads on is XP SP3 (5.1): the headers then
# refuse a later system's call at compile time (such calls are looked up at
# run time instead), and the PE header asks for no newer loader. 64-bit
# Windows starts at 5.2 (XP x64).
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600
                        NOMINMAX WIN32_LEAN_AND_MEAN STRICT)
set(TRAYSTART_CHARSET -finput-charset=UTF-8 -fexec-charset=GBK)
add_link_options(-static -static-libgcc -static-libstdc++)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TRAYSTART_PE_VERSION 5 2)
else()
  set(TRAYSTART_PE_VERSION 5 1)
endif()
list(GET TRAYSTART_PE_VERSION 0 TRAYSTART_PE_MAJOR)
list(GET TRAYSTART_PE_VERSION 1 TRAYSTART_PE_MINOR)
add_link_options(LINKER:--major-os-version,${TRAYSTART_PE_MAJOR},--minor-os-version,${TRAYSTART_PE_MINOR}
                 LINKER:--major-subsystem-version,${TRAYSTART_PE_MAJOR},--minor-subsystem-version,${TRAYSTART_PE_MINOR})

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

# The thread library under the C++ runtime, built for XP; -L puts it ahead
# of the toolchain's own copy, which needs Vista.
traystart_debian_library(build-winpthread.sh)
add_link_options(-L${CMAKE_SOURCE_DIR}/build/winpthread/${TRAYSTART_MINGW_TRIPLE}/lib)

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
