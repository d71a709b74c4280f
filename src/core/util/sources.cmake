target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/byte_order.h
  ${CMAKE_CURRENT_LIST_DIR}/fixed_text.h
  ${CMAKE_CURRENT_LIST_DIR}/cp1252.h
  ${CMAKE_CURRENT_LIST_DIR}/cp1252.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hex_text.h
  ${CMAKE_CURRENT_LIST_DIR}/hex_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/atomic_file.h
  ${CMAKE_CURRENT_LIST_DIR}/atomic_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/allocator_tuning.h
  ${CMAKE_CURRENT_LIST_DIR}/allocator_tuning.cpp
  ${CMAKE_CURRENT_LIST_DIR}/failure_log.h
  ${CMAKE_CURRENT_LIST_DIR}/failure_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/private_folder.h
  ${CMAKE_CURRENT_LIST_DIR}/private_folder.cpp
)
