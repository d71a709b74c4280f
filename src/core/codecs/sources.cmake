target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/card_message_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/card_message.h
  ${CMAKE_CURRENT_LIST_DIR}/card_message_received.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_message_send.cpp
  ${CMAKE_CURRENT_LIST_DIR}/business_card.h
  ${CMAKE_CURRENT_LIST_DIR}/business_card.cpp
  ${CMAKE_CURRENT_LIST_DIR}/business_card_choices.h
  ${CMAKE_CURRENT_LIST_DIR}/business_card_choices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_decoders.h
  ${CMAKE_CURRENT_LIST_DIR}/text_decoders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gsm_text.h
  ${CMAKE_CURRENT_LIST_DIR}/gsm_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/phone_number.h
  ${CMAKE_CURRENT_LIST_DIR}/phone_number.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_table.h
  ${CMAKE_CURRENT_LIST_DIR}/error_table.cpp
)
