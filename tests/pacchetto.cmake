# The packages run.sh and test.sh would install, compared with apt stood in for.
add_test(NAME dipendenze COMMAND ${CMAKE_CURRENT_LIST_DIR}/prova_dipendenze.sh)
set_tests_properties(dipendenze PROPERTIES TIMEOUT 60)

# The Debian package, unpacked into a scratch root and used with a scratch home.
add_test(NAME pacchetto COMMAND ${CMAKE_COMMAND} -DCARTELLA_BUILD=${CMAKE_BINARY_DIR}
  -DSORGENTI=${CMAKE_SOURCE_DIR} -DLAVORO=${CMAKE_CURRENT_BINARY_DIR}/prova-pacchetto
  -P ${CMAKE_SOURCE_DIR}/scripts/prova_pacchetto.cmake)
set_tests_properties(pacchetto PROPERTIES TIMEOUT 300)
