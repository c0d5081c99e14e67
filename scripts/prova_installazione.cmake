# Installs the build into a scratch prefix, moves the folder elsewhere as one would copy it
# to another machine, and checks that it stands on its own there: every file present, no
# library missing or taken from the build tree, and melodora-cli runs from it.
#   cmake -DCARTELLA_BUILD=build -DPREFISSO=/tmp/x -P scripts/prova_installazione.cmake
foreach(v CARTELLA_BUILD PREFISSO)
  if(NOT ${v})
    message(FATAL_ERROR "manca -D${v}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFISSO})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${CARTELLA_BUILD} --prefix ${PREFISSO}/installato
  RESULT_VARIABLE esito OUTPUT_QUIET)
if(esito)
  message(FATAL_ERROR "cmake --install non riuscito (${esito})")
endif()
file(RENAME ${PREFISSO}/installato ${PREFISSO}/copiato)
set(cartella ${PREFISSO}/copiato)

foreach(f bin/melodora bin/melodora-cli bin/Sonoria.hlp lib/melodora/libmelodora-periferiche.so
    share/applications/melodora.desktop
    share/icons/hicolor/64x64/apps/melodora.png share/icons/hicolor/256x256/apps/melodora.png)
  if(NOT EXISTS ${cartella}/${f})
    message(FATAL_ERROR "manca ${f} nella cartella installata")
  endif()
endforeach()

foreach(programma bin/melodora bin/melodora-cli lib/melodora/libmelodora-periferiche.so)
  execute_process(COMMAND ldd ${cartella}/${programma} OUTPUT_VARIABLE librerie)
  if(librerie MATCHES "not found" OR librerie MATCHES "${CARTELLA_BUILD}")
    message(FATAL_ERROR "${programma}: librerie mancanti o della cartella di build:\n${librerie}")
  endif()
  execute_process(COMMAND readelf -d ${cartella}/${programma} OUTPUT_VARIABLE dinamica)
  if(dinamica MATCHES "${CARTELLA_BUILD}" OR dinamica MATCHES "${PREFISSO}")
    message(FATAL_ERROR "${programma}: RPATH verso la cartella di build o d'installazione")
  endif()
endforeach()

# The archive is the one next to the program, whatever the working directory.
file(WRITE ${PREFISSO}/una.json "[{\"Brano\": \"Una\"}]")
execute_process(COMMAND ${cartella}/bin/melodora-cli import una.json WORKING_DIRECTORY ${PREFISSO}
  RESULT_VARIABLE esito OUTPUT_QUIET ERROR_VARIABLE errori)
execute_process(COMMAND ${cartella}/bin/melodora-cli count WORKING_DIRECTORY ${PREFISSO}
  RESULT_VARIABLE esito OUTPUT_VARIABLE uscita ERROR_VARIABLE errori)
if(esito OR NOT uscita STREQUAL "1\n" OR NOT EXISTS ${cartella}/bin/Sonoria.sng)
  message(FATAL_ERROR "melodora-cli count dalla cartella copiata: ${esito} '${uscita}' ${errori}")
endif()
# Printing loads its module from lib/melodora, wherever the folder went.
execute_process(COMMAND ${cartella}/bin/melodora-cli print 1 --layout tutto --pdf una.pdf
  WORKING_DIRECTORY ${PREFISSO} RESULT_VARIABLE esito OUTPUT_QUIET ERROR_VARIABLE errori)
if(esito OR NOT EXISTS ${PREFISSO}/una.pdf)
  message(FATAL_ERROR "melodora-cli print dalla cartella copiata: ${esito} ${errori}")
endif()
# Without the module printing says where it looked and fails; the other commands still work.
file(RENAME ${cartella}/lib/melodora/libmelodora-periferiche.so ${PREFISSO}/modulo.so)
execute_process(COMMAND ${cartella}/bin/melodora-cli print 1 --layout tutto --pdf due.pdf
  WORKING_DIRECTORY ${PREFISSO} RESULT_VARIABLE esito OUTPUT_QUIET ERROR_VARIABLE errori)
string(FIND "${errori}" "${cartella}/lib/melodora/libmelodora-periferiche.so: non c'è" dove)
if(NOT esito EQUAL 1 OR dove LESS 0 OR EXISTS ${PREFISSO}/due.pdf)
  message(FATAL_ERROR "melodora-cli print senza il modulo: ${esito} ${errori}")
endif()
execute_process(COMMAND ${cartella}/bin/melodora-cli count WORKING_DIRECTORY ${PREFISSO}
  RESULT_VARIABLE esito OUTPUT_VARIABLE uscita ERROR_VARIABLE errori)
if(esito OR NOT uscita STREQUAL "1\n")
  message(FATAL_ERROR "melodora-cli count senza il modulo: ${esito} '${uscita}' ${errori}")
endif()
file(RENAME ${PREFISSO}/modulo.so ${cartella}/lib/melodora/libmelodora-periferiche.so)
execute_process(COMMAND ${cartella}/bin/melodora-cli --help RESULT_VARIABLE esito
  OUTPUT_VARIABLE aiuto)
string(FIND "${aiuto}" "${cartella}/bin/Sonoria.sng" dove)
if(esito OR dove LESS 0)
  message(FATAL_ERROR "melodora-cli --help (${esito}) non nomina ${cartella}/bin/Sonoria.sng:\n${aiuto}")
endif()

find_program(VALIDA desktop-file-validate)
if(VALIDA)
  execute_process(COMMAND ${VALIDA} ${cartella}/share/applications/melodora.desktop
    RESULT_VARIABLE esito OUTPUT_VARIABLE avvisi ERROR_VARIABLE avvisi)
  if(esito OR avvisi)
    message(FATAL_ERROR "melodora.desktop non valido: ${avvisi}")
  endif()
endif()
file(REMOVE_RECURSE ${PREFISSO})
