# Every window from the keyboard and for assistive tools; the same checks once more at 200 %.
melodora_add_test(test_accesso SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_accesso.cpp)
add_test(NAME test_accesso_200 COMMAND test_accesso)
set_tests_properties(test_accesso_200 PROPERTIES TIMEOUT 300
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2")
