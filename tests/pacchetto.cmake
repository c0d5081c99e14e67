# The packages run.sh and test.sh would install, compared with apt stood in for.
add_test(NAME dipendenze COMMAND ${CMAKE_CURRENT_LIST_DIR}/prova_dipendenze.sh)
set_tests_properties(dipendenze PROPERTIES TIMEOUT 60)
