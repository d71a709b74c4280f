target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/block_list.h
  ${CMAKE_CURRENT_LIST_DIR}/locked_block_list.h
  ${CMAKE_CURRENT_LIST_DIR}/value_block_list.h
  ${CMAKE_CURRENT_LIST_DIR}/message_record.h
  ${CMAKE_CURRENT_LIST_DIR}/message_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_time.h
  ${CMAKE_CURRENT_LIST_DIR}/file_time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contact_entry.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_image.h
  ${CMAKE_CURRENT_LIST_DIR}/message_file_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/message_file.h
  ${CMAKE_CURRENT_LIST_DIR}/message_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_library_file.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_library_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_lists.h
  ${CMAKE_CURRENT_LIST_DIR}/app_lists.cpp
)
