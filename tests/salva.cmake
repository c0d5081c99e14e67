# Saving and deleting cards: the window's handlers, the editing core shared with the command
# line, and writers run at once or killed half-way as real processes.
melodora_add_test(test_salva SOURCES test_salva.cpp CLI)
melodora_add_test(test_redazione SOURCES test_redazione.cpp TIMEOUT 600 CLI)
