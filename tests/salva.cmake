# Saving and deleting cards: the window's handlers, the editing core shared with the command
# line, and writers run at once or killed half-way as real processes.
melodora_add_test(test_salva SOURCES test_salva.cpp)
target_compile_definitions(test_salva PRIVATE MELODORA_CLI="$<TARGET_FILE:melodora-cli>")
add_dependencies(test_salva melodora-cli)
melodora_add_test(test_redazione SOURCES test_redazione.cpp TIMEOUT 600)
target_compile_definitions(test_redazione PRIVATE MELODORA_CLI="$<TARGET_FILE:melodora-cli>")
add_dependencies(test_redazione melodora-cli)
