# Windows, the loop, boxes, the headless driver and the system services.
tamblo_test(winsys_window_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_messages_test.cpp DEPS winsys)
tamblo_test(winsys_loop_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/loop_queue_test.cpp DEPS winsys)
tamblo_test(winsys_box_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/box_modal_test.cpp DEPS winsys)
tamblo_test(winsys_headless_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/headless_driver_test.cpp DEPS winsys)
tamblo_test(winsys_services_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/services_system_test.cpp DEPS winsys)
