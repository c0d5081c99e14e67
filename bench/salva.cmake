# Deleting card 1 of a 100,000-card archive against cp + sync of the same file.
add_executable(bench_cancellazione ${CMAKE_CURRENT_LIST_DIR}/bench_cancellazione.cpp)
target_link_libraries(bench_cancellazione PRIVATE melodora_core)
