target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/settings_store.h
  ${CMAKE_CURRENT_LIST_DIR}/settings_defaults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/can_send.h
  ${CMAKE_CURRENT_LIST_DIR}/can_send.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memory_settings_store.h
  ${CMAKE_CURRENT_LIST_DIR}/memory_settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_settings.h
  ${CMAKE_CURRENT_LIST_DIR}/card_settings.cpp
)
