# Builds the Debian package from a configured and built tree, unpacks it into a scratch root
# as dpkg would install it, and runs melodora-cli from there with a scratch home: the archive
# must be the user's ~/.local/share/Melodora/Sonoria.sng, and the desktop entry and the
# AppStream metainfo must pass their validators.
#   cmake -DCARTELLA_BUILD=build -DSORGENTI=. -DLAVORO=/tmp/x -P scripts/prova_pacchetto.cmake
foreach(v CARTELLA_BUILD SORGENTI LAVORO)
  if(NOT ${v})
    message(FATAL_ERROR "manca -D${v}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${LAVORO})
file(MAKE_DIRECTORY ${LAVORO}/casa)
execute_process(COMMAND cpack -G DEB --config ${CARTELLA_BUILD}/CPackConfig.cmake
  -B ${LAVORO}/pacchetto RESULT_VARIABLE esito OUTPUT_VARIABLE uscita ERROR_VARIABLE uscita)
set(deb ${LAVORO}/pacchetto/melodora_1.0-1_amd64.deb)
if(esito OR NOT EXISTS ${deb})
  message(FATAL_ERROR "cpack -G DEB non ha fatto melodora_1.0-1_amd64.deb (${esito}):\n${uscita}")
endif()

# The dependencies come from the programs' libraries, plus what no library names.
execute_process(COMMAND dpkg-deb -f ${deb} Depends OUTPUT_VARIABLE dipende)
foreach(d libqt6widgets6 libqt6multimedia6 libasound2 libc6 gstreamer1.0-plugins-good)
  if(NOT dipende MATCHES "(^|, )${d}[ ,(]")
    message(FATAL_ERROR "Depends non nomina ${d}: ${dipende}")
  endif()
endforeach()

set(radice ${LAVORO}/radice)
execute_process(COMMAND dpkg-deb -x ${deb} ${radice} RESULT_VARIABLE esito)
if(esito)
  message(FATAL_ERROR "dpkg-deb -x non riuscito")
endif()
foreach(f bin/melodora bin/melodora-cli lib/melodora/libmelodora-periferiche.so
    share/melodora/Sonoria.hlp
    share/applications/melodora.desktop share/icons/hicolor/64x64/apps/melodora.png
    share/icons/hicolor/256x256/apps/melodora.png
    share/metainfo/org.melodora.Melodora.metainfo.xml share/man/man1/melodora-cli.1.gz)
  if(NOT EXISTS ${radice}/usr/${f})
    message(FATAL_ERROR "il pacchetto non installa /usr/${f}")
  endif()
endforeach()
if(EXISTS ${radice}/usr/bin/Sonoria.hlp)
  message(FATAL_ERROR "il pacchetto mette la guida in /usr/bin")
endif()

# melodora-cli from the unpacked root, whatever the working folder, with a fresh home.
set(dati ${LAVORO}/casa/.local/share/Melodora)
macro(cli)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${LAVORO}/casa --unset=XDG_DATA_HOME
    ${radice}/usr/bin/melodora-cli ${ARGN} WORKING_DIRECTORY ${LAVORO}
    RESULT_VARIABLE esito OUTPUT_VARIABLE uscita ERROR_VARIABLE errori)
  if(esito)
    message(FATAL_ERROR "melodora-cli ${ARGN}: ${esito}\n${uscita}${errori}")
  endif()
endmacro()
cli(import ${SORGENTI}/scripts/schede-esempio.json)
cli(count)
if(NOT uscita STREQUAL "4\n" OR NOT EXISTS ${dati}/Sonoria.sng)
  message(FATAL_ERROR "count dopo l'import: '${uscita}', archivio in ${dati}: ${errori}")
endif()
file(SIZE ${dati}/Sonoria.sng lunghezza)
if(NOT lunghezza EQUAL 11320)
  message(FATAL_ERROR "${dati}/Sonoria.sng: ${lunghezza} byte invece di 4 schede")
endif()
file(GLOB accanto ${radice}/usr/bin/*.sng ${radice}/usr/bin/*.tmp)
if(accanto)
  message(FATAL_ERROR "file dell'utente accanto al programma: ${accanto}")
endif()
# Printing loads its module from /usr/lib/melodora.
cli(print 1 --layout tutto --pdf ${LAVORO}/scheda.pdf)
if(NOT EXISTS ${LAVORO}/scheda.pdf)
  message(FATAL_ERROR "print dal pacchetto non ha scritto il PDF: ${uscita}${errori}")
endif()
cli(--help)
string(FIND "${uscita}" "${dati}/Sonoria.sng" dove)
if(dove LESS 0)
  message(FATAL_ERROR "melodora-cli --help non dice l'archivio ${dati}/Sonoria.sng:\n${uscita}")
endif()

execute_process(COMMAND desktop-file-validate ${radice}/usr/share/applications/melodora.desktop
  RESULT_VARIABLE esito OUTPUT_VARIABLE avvisi ERROR_VARIABLE avvisi)
if(esito OR avvisi)
  message(FATAL_ERROR "melodora.desktop non valido: ${avvisi}")
endif()
execute_process(COMMAND appstreamcli validate --no-net
  ${radice}/usr/share/metainfo/org.melodora.Melodora.metainfo.xml
  RESULT_VARIABLE esito OUTPUT_VARIABLE avvisi ERROR_VARIABLE avvisi)
if(esito)
  message(FATAL_ERROR "metainfo non valido: ${avvisi}")
endif()
file(REMOVE_RECURSE ${LAVORO})
