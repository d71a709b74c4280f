target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/card_message_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/gsm_text.h
  ${CMAKE_CURRENT_LIST_DIR}/gsm_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/phone_number.h
  ${CMAKE_CURRENT_LIST_DIR}/phone_number.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_table.h
  ${CMAKE_CURRENT_LIST_DIR}/error_table.cpp
)
