# The fuzz targets' checks as a library, shared by the libFuzzer programs (fuzz/) and by
# the regression test that replays their inputs in the ordinary test run (tests/).
# The targets are the lines of bersagli.def.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/bersagli.def MELODORA_RIGHE_BERSAGLI REGEX "^BERSAGLIO\\(")
set(MELODORA_BERSAGLI_FUZZ "")
foreach(riga ${MELODORA_RIGHE_BERSAGLI})
  string(REGEX REPLACE "^BERSAGLIO\\(([A-Za-z0-9_]+)\\).*" "\\1" nome "${riga}")
  list(APPEND MELODORA_BERSAGLI_FUZZ ${nome})
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/bersagli.def)

if(NOT TARGET melodora_bersagli)
  set(sorgenti ${CMAKE_CURRENT_LIST_DIR}/Comune.cpp ${CMAKE_CURRENT_LIST_DIR}/Comune.h
    ${CMAKE_CURRENT_LIST_DIR}/Bersagli.h)
  foreach(nome ${MELODORA_BERSAGLI_FUZZ})
    list(APPEND sorgenti ${CMAKE_CURRENT_LIST_DIR}/bersaglio_${nome}.cpp)
  endforeach()
  add_library(melodora_bersagli STATIC ${sorgenti})
  target_include_directories(melodora_bersagli PUBLIC ${CMAKE_CURRENT_LIST_DIR}
    ${CMAKE_CURRENT_LIST_DIR}/../tests/fakes)
  target_link_libraries(melodora_bersagli PUBLIC melodora_core)
endif()
