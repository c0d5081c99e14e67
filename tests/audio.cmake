# The title animation, the audio file choice and playback (fake and real).
melodora_add_test(test_animazione SOURCES test_animazione.cpp)
melodora_add_test(test_riproduzione SOURCES test_riproduzione.cpp)
melodora_add_test(test_suono SOURCES test_suono.cpp TIMEOUT 180)
