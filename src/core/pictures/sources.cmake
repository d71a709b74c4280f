# Sources of the pictures subsystem (added to zeph_core).
target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gms_file.h
  ${CMAKE_CURRENT_LIST_DIR}/gms_file.cpp
)
