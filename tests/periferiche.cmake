melodora_add_test(test_periferiche SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_periferiche.cpp)
target_compile_definitions(test_periferiche PRIVATE
  MELODORA_MODULO="$<TARGET_FILE:melodora_modulo_periferiche>")
add_dependencies(test_periferiche melodora_modulo_periferiche)
