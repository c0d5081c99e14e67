# The logic library includes only Qt Core and itself (scripts/prova_livelli.cmake).
get_target_property(MELODORA_LOGICA melodora_logica SOURCES)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/sorgenti-logica.txt
  CONTENT "$<JOIN:${MELODORA_LOGICA},\n>\n")
get_target_property(MELODORA_QT_INCLUDE Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
list(FILTER MELODORA_QT_INCLUDE INCLUDE REGEX "QtCore$")
add_test(NAME livelli COMMAND ${CMAKE_COMMAND}
  -DSORGENTI=${CMAKE_CURRENT_BINARY_DIR}/sorgenti-logica.txt -DQTCORE=${MELODORA_QT_INCLUDE}
  -DRADICE=${CMAKE_SOURCE_DIR}/src -DGENERATI=${MELODORA_GENERATI}
  -P ${CMAKE_SOURCE_DIR}/scripts/prova_livelli.cmake)

# So do melodora-cli and its commands, which load the printer from the peripherals' module:
# their files, and the libraries the program asks for when it starts.
get_target_property(MELODORA_TAG melodora_tag SOURCES)
get_target_property(MELODORA_COMANDI melodora_comandi SOURCES)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/sorgenti-comandi.txt CONTENT
  "$<JOIN:${MELODORA_LOGICA};${MELODORA_TAG};${MELODORA_COMANDI};${CMAKE_SOURCE_DIR}/src/app/cli_main.cpp,\n>\n")
add_test(NAME livelli_comandi COMMAND ${CMAKE_COMMAND}
  -DSORGENTI=${CMAKE_CURRENT_BINARY_DIR}/sorgenti-comandi.txt -DQTCORE=${MELODORA_QT_INCLUDE}
  -DRADICE=${CMAKE_SOURCE_DIR}/src -DGENERATI=${MELODORA_GENERATI}
  -DPROGRAMMA=$<TARGET_FILE:melodora-cli>
  -P ${CMAKE_SOURCE_DIR}/scripts/prova_livelli.cmake)
