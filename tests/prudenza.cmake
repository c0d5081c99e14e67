# The command line on hostile input: the real melodora-cli, its files and archive compared
# byte for byte before and after, and a full disk for real (as root).
melodora_add_test(test_prudenza SOURCES test_prudenza.cpp CLI)
