# The e-mail composer and the about window.
melodora_add_test(test_posta SOURCES test_posta.cpp)
