# The volume window: over the fake mixer, and over ALSA with the test sound server.
melodora_add_test(test_volume SOURCES test_volume.cpp)
melodora_add_test(test_volume_alsa SOURCES test_volume_alsa.cpp TIMEOUT 120)
