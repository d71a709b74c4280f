target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clock.h
  ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contact_lookup.h
  ${CMAKE_CURRENT_LIST_DIR}/contact_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/date_text.h
  ${CMAKE_CURRENT_LIST_DIR}/date_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folder_status.h
  ${CMAKE_CURRENT_LIST_DIR}/folder_status.cpp
  ${CMAKE_CURRENT_LIST_DIR}/outbox_queue.h
  ${CMAKE_CURRENT_LIST_DIR}/outbox_queue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_excerpt.h
  ${CMAKE_CURRENT_LIST_DIR}/report_excerpt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/retry_table.h
  ${CMAKE_CURRENT_LIST_DIR}/retry_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sort_order.h
  ${CMAKE_CURRENT_LIST_DIR}/sort_order.cpp
)
