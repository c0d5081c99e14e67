# Searching by words and finding duplicates on 100,000 cards, against one `cat` of the file.
# Run: build/bench/bench_parole [CARTELLA [PROVA...]]; the "cli" rows run melodora-cli itself.
add_executable(bench_parole ${CMAKE_CURRENT_LIST_DIR}/bench_parole.cpp)
target_link_libraries(bench_parole PRIVATE melodora_core)
add_dependencies(bench_parole melodora-cli)
target_compile_definitions(bench_parole PRIVATE MELODORA_CLI_BENCH="$<TARGET_FILE:melodora-cli>")
