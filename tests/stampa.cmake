# Card and list printing: the layouts through a recording surface, and real PDF printouts.
melodora_add_test(test_stampa SOURCES test_stampa.cpp)
melodora_add_test(test_stampa_pdf SOURCES test_stampa_pdf.cpp)
