# Start-up to the first window under Xvfb, against an empty window of the same size.
# Run: build/bench/bench_avvio [COPPIE]. It needs the xcb headers (libxcb1-dev, which Qt's
# development packages bring) and Xvfb.
find_path(MELODORA_XCB_INCLUDE xcb/xcb.h)
find_library(MELODORA_XCB_LIB xcb)
if(MELODORA_XCB_INCLUDE AND MELODORA_XCB_LIB)
  add_executable(bench_finestra_vuota ${CMAKE_CURRENT_LIST_DIR}/bench_finestra_vuota.cpp)
  target_link_libraries(bench_finestra_vuota PRIVATE Qt6::Widgets)
  add_executable(bench_avvio ${CMAKE_CURRENT_LIST_DIR}/bench_avvio.cpp)
  target_include_directories(bench_avvio PRIVATE ${MELODORA_XCB_INCLUDE})
  target_link_libraries(bench_avvio PRIVATE Qt6::Core ${MELODORA_XCB_LIB})
  add_dependencies(bench_avvio bench_finestra_vuota melodora)
endif()
