# The list logic (matching, entry formats, order, finding a card) with the CLI that uses it,
# and the search and audio list windows with real widgets over the fake platform.
melodora_add_test(test_elenchi SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_elenchi.cpp)
melodora_add_test(test_finestre_liste SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_finestre_liste.cpp)
