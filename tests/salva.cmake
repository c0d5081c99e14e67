# Saving and deleting cards: the window's handlers, the deletion shared with the command
# line, and the deletion killed half-way by the command-line program.
melodora_add_test(test_salva SOURCES test_salva.cpp)
melodora_add_test(test_cancellazione SOURCES test_cancellazione.cpp TIMEOUT 600)
target_compile_definitions(test_cancellazione PRIVATE MELODORA_CLI="$<TARGET_FILE:melodora-cli>")
add_dependencies(test_cancellazione melodora-cli)
