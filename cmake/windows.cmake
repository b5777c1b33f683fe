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

add_subdirectory(src)
add_subdirectory(tests)
# Benchmarks print figures; they are programs, not tests.
add_subdirectory(bench)
