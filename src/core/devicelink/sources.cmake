# Sources of the devicelink subsystem (added to zeph_core).
target_sources(zeph_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/wire_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/result_codes.h
  ${CMAKE_CURRENT_LIST_DIR}/result_codes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pipe.h
  ${CMAKE_CURRENT_LIST_DIR}/pipe_canceller.h
  ${CMAKE_CURRENT_LIST_DIR}/pipe_canceller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ipc_endpoint.h
  ${CMAKE_CURRENT_LIST_DIR}/ipc_endpoint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_buffer.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_buffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ipc_client.h
  ${CMAKE_CURRENT_LIST_DIR}/ipc_client.cpp
  ${CMAKE_CURRENT_LIST_DIR}/request_framing.h
  ${CMAKE_CURRENT_LIST_DIR}/request_framing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_requests.h
  ${CMAKE_CURRENT_LIST_DIR}/device_requests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/phonebook_reply.h
  ${CMAKE_CURRENT_LIST_DIR}/phonebook_reply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_link.h
  ${CMAKE_CURRENT_LIST_DIR}/control_link.cpp
)
