target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/chat_conversation.h
  ${CMAKE_CURRENT_LIST_DIR}/chat_conversation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chat_session.h
  ${CMAKE_CURRENT_LIST_DIR}/chat_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/composer_send.h
  ${CMAKE_CURRENT_LIST_DIR}/composer_send.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_request.h
  ${CMAKE_CURRENT_LIST_DIR}/editor_request.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_text_measure.h
  ${CMAKE_CURRENT_LIST_DIR}/message_text_measure.cpp
)
