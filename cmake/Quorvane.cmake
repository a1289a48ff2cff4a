# Shared build settings for every target of the project.

# Sources are UTF-8; string literals become the GBK bytes the program shows
# and writes, in the host build as in the Windows builds.
function(qv_compile_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /source-charset:utf-8 /execution-charset:.936 /W4 /permissive-)
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS NOMINMAX)
  else()
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GBK
        -Wall -Wextra -Wno-multichar)
  endif()
  if(WIN32)
    # ANSI API only: no UNICODE, and Windows 7 as the lowest target.
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
        _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
  endif()
endfunction()

# Static runtime for the MinGW builds: the .exe runs with no DLL beside it.
if(WIN32 AND NOT MSVC)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
# Host tests run under AddressSanitizer and UndefinedBehaviorSanitizer.
if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Adds a folder's sources to the program library:
#   qv_add_sources(portable.cpp ... POSIX x_posix.cpp ... WIN32 x_win32.cpp ...)
function(qv_add_sources)
  cmake_parse_arguments(A "" "" "POSIX;WIN32" ${ARGN})
  target_sources(quorvane_lib PRIVATE ${A_UNPARSED_ARGUMENTS})
  if(WIN32)
    target_sources(quorvane_lib PRIVATE ${A_WIN32})
  else()
    target_sources(quorvane_lib PRIVATE ${A_POSIX})
  endif()
endfunction()

# Adds a folder's tests to the test program (host: natively; Windows: under Wine):
#   qv_add_tests(portable_test.cpp ... POSIX x_test.cpp ... WIN32 y_test.cpp ...)
function(qv_add_tests)
  cmake_parse_arguments(A "" "" "POSIX;WIN32" ${ARGN})
  target_sources(quorvane_tests PRIVATE ${A_UNPARSED_ARGUMENTS})
  if(WIN32)
    target_sources(quorvane_tests PRIVATE ${A_WIN32})
  else()
    target_sources(quorvane_tests PRIVATE ${A_POSIX})
  endif()
endfunction()
