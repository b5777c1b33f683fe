# Cross build for 64-bit Windows: the same sources as the shipped 32-bit
# program, for running the tests under 64-bit Wine on machines that cannot run
# 32-bit programs.
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
