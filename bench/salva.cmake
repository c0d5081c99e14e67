# Deleting card 1 of a 100,000-card archive against cp + sync of the same file.
add_executable(bench_cancellazione ${CMAKE_CURRENT_LIST_DIR}/bench_cancellazione.cpp)
target_link_libraries(bench_cancellazione PRIVATE melodora_core)
# What the writers' lock costs, for a save and for an import.
add_executable(bench_blocco ${CMAKE_CURRENT_LIST_DIR}/bench_blocco.cpp)
target_link_libraries(bench_blocco PRIVATE melodora_core)
