# Drawing: device contexts, drawing objects, fonts, bitmaps and regions.
tamblo_test(winsys_draw_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/draw_shapes_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/draw_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/draw_objects_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/draw_copy_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/region_test.cpp
  DEPS winsys)
