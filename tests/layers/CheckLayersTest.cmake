# cmake -DSCANNER=<CheckLayers.cmake> -DTREE=<planted tree> -P CheckLayersTest.cmake
# The planted tree holds one include of each forbidden kind among allowed ones
# (local, relative, commented out, test helpers of a lower layer, a layer's
# root files, lower folders inside gui, the root files inside app): the scanner
# must fail and name exactly these.
set(expected
  "analysis/Meter.cpp:3: #include \"tests/analysis/FakeClock.h\": the analysis library includes test code"
  "analysis/Meter.cpp:4: #include \"image/Scale.h\": analysis does not stand on image"
  "app/dialogs/Dialog.h:2: #include \"../views/Pane.h\": app/dialogs does not stand on app/views"
  "app/views/Pane.h:2: #include \"app/dialogs/Dialog.h\": app/views does not stand on app/dialogs"
  "audio/Driver.cpp:2: #include \"signal/Kernel.h\": audio does not stand on signal"
  "gui/Panel.cpp:3: #include \"audio/Driver.h\": gui does not stand on audio"
  "gui/Panel.cpp:4: #include \"analysis/Meter.h\": gui does not stand on analysis"
  "gui/graphics/Surface.h:2: #include \"gui/skin/Face.h\": gui/graphics does not stand on gui/skin"
  "gui/skin/Face.h:3: #include \"../window/Frame.h\": gui/skin does not stand on gui/window"
  "image/Scale.cpp:2: #include \"../audio/Driver.h\": image does not stand on audio"
  "signal/Kernel.cpp:4: #include \"analysis/Meter.h\": signal does not stand on analysis"
  "tests/common/BaseTest.cpp:2: #include \"tests/signal/Signals.h\": common does not stand on signal"
)
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${TREE} -P ${SCANNER}
  RESULT_VARIABLE result ERROR_VARIABLE report OUTPUT_QUIET)
if(result EQUAL 0)
  message(FATAL_ERROR "The scanner passed a tree with forbidden includes")
endif()
string(REGEX MATCHALL "[^\n]+:[0-9]+: [^\n]+" reported "${report}")
if(NOT reported STREQUAL expected)
  list(JOIN expected "\n" want)
  message(FATAL_ERROR "Expected:\n${want}\nScanner said:\n${report}")
endif()
