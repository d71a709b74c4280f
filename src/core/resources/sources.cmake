target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/string_table.h
  ${CMAKE_CURRENT_LIST_DIR}/string_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_blend.h
  ${CMAKE_CURRENT_LIST_DIR}/about_blend.cpp
)
