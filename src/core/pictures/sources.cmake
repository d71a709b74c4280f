# Sources of the pictures subsystem (added to zeph_core).
target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gms_file.h
  ${CMAKE_CURRENT_LIST_DIR}/gms_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_ops.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_ops.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_edit_geometry.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_edit_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_edit_state.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_edit_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_exchange.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_exchange.cpp
)
