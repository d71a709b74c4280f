# Every target links zeph_options: the warning set and the sanitizers are
# decided once, here.
add_library(zeph_options INTERFACE)
target_compile_options(zeph_options INTERFACE -Wall -Wextra -Wpedantic)
if(ZEPH_WERROR)
  target_compile_options(zeph_options INTERFACE -Werror)
endif()

if(ZEPH_SANITIZE)
  set(_zeph_san_flags -fsanitize=${ZEPH_SANITIZE} -fno-omit-frame-pointer -g)
  if(ZEPH_SANITIZE MATCHES "undefined")
    list(APPEND _zeph_san_flags -fno-sanitize-recover=undefined)
  endif()
  target_compile_options(zeph_options INTERFACE ${_zeph_san_flags})
  target_link_options(zeph_options INTERFACE -fsanitize=${ZEPH_SANITIZE})
endif()

# The clang build checks the lock annotations of core/util/thread_annotations.h.
option(ZEPH_THREAD_SAFETY "Check the lock annotations with clang's -Wthread-safety" OFF)
if(ZEPH_THREAD_SAFETY)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZEPH_THREAD_SAFETY needs clang++ (the asan preset)")
  endif()
  target_compile_options(zeph_options INTERFACE -Wthread-safety)
endif()
