# The list windows on large archives: search, audio list and opening the last entry, each
# against one plain sequential read of the file. Run: build/bench/bench_liste [CARTELLA]
add_executable(bench_liste ${CMAKE_CURRENT_LIST_DIR}/bench_liste.cpp)
target_link_libraries(bench_liste PRIVATE melodora_core)
target_include_directories(bench_liste PRIVATE ${CMAKE_SOURCE_DIR}/tests/fakes)
