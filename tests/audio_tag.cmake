# Cards from audio files and their tags: the rules, real tagged files, dropping onto the window.
melodora_add_test(test_importa_audio SOURCES test_importa_audio.cpp)
