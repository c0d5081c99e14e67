# import-audio of 2,000 tagged files against cat of the same files.
# Run: build/bench/bench_importa_audio [FILES]
add_executable(bench_importa_audio ${CMAKE_CURRENT_LIST_DIR}/bench_importa_audio.cpp)
target_link_libraries(bench_importa_audio PRIVATE melodora_core)
target_compile_definitions(bench_importa_audio PRIVATE MELODORA_CLI="$<TARGET_FILE:melodora-cli>")
add_dependencies(bench_importa_audio melodora-cli)
