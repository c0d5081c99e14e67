# The logic library includes only Qt Core and itself (scripts/prova_livelli.cmake).
get_target_property(MELODORA_LOGICA melodora_logica SOURCES)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/sorgenti-logica.txt
  CONTENT "$<JOIN:${MELODORA_LOGICA},\n>\n")
get_target_property(MELODORA_QT_INCLUDE Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
list(FILTER MELODORA_QT_INCLUDE INCLUDE REGEX "QtCore$")
add_test(NAME livelli COMMAND ${CMAKE_COMMAND}
  -DSORGENTI=${CMAKE_CURRENT_BINARY_DIR}/sorgenti-logica.txt -DQTCORE=${MELODORA_QT_INCLUDE}
  -DRADICE=${CMAKE_SOURCE_DIR}/src -P ${CMAKE_SOURCE_DIR}/scripts/prova_livelli.cmake)
