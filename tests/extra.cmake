# Spreadsheet interchange, the archive check, the fuzz targets' inputs replayed, and the
# installed folder.
melodora_add_test(test_interscambio SOURCES test_interscambio.cpp)

include(${CMAKE_SOURCE_DIR}/fuzz/bersagli.cmake)
melodora_add_test(test_fuzz_regressioni SOURCES test_fuzz_regressioni.cpp)
target_link_libraries(test_fuzz_regressioni PRIVATE melodora_bersagli)
target_compile_definitions(test_fuzz_regressioni PRIVATE
  MELODORA_CARTELLA_FUZZ="${CMAKE_SOURCE_DIR}/fuzz")

add_test(NAME installazione COMMAND ${CMAKE_COMMAND} -DCARTELLA_BUILD=${CMAKE_BINARY_DIR}
  -DPREFISSO=${CMAKE_CURRENT_BINARY_DIR}/prova-installazione
  -P ${CMAKE_SOURCE_DIR}/scripts/prova_installazione.cmake)
set_tests_properties(installazione PROPERTIES TIMEOUT 120)
