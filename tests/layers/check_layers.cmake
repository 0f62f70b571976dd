# Compiles one-line probes with a layer's own include root: an include of a folder below the
# layer must compile, an include of a folder above it must not be found.
# Called by CTest with CXX, LAYERS (the build's layer roots) and QT_INCLUDES ("|"-separated).
string(REPLACE "|" ";" qt_includes "${QT_INCLUDES}")
set(flags -std=c++20 -fPIC -fsyntax-only -x c++)
foreach(dir ${qt_includes})
  list(APPEND flags -I${dir})
endforeach()

# layer, header, whether it must be found
set(probes
  "report|store/StoreResult.h|yes"
  "report|app/Version.h|no"
  "report|ui/Clock.h|yes"
  "store|messages/ShowMsg.h|no"
  "ui|report/ReportFont.h|no"
  "customers|ui/SetImeStatus.h|yes"
  "customers|printing/PrintRequest.h|no"
  "printing|app/CommandLine.h|no"
  "printing|register/RegisterWindow.h|no"
  "register|printing/ReceiptFormat.h|yes"
  "register|app/CommandLine.h|no"
  "app|printing/ReceiptFormat.h|yes")
set(failures 0)
foreach(probe ${probes})
  string(REPLACE "|" ";" parts "${probe}")
  list(GET parts 0 layer)
  list(GET parts 1 header)
  list(GET parts 2 expected)
  set(source "${CMAKE_CURRENT_BINARY_DIR}/layer_probe_${layer}.cpp")
  file(WRITE ${source} "#include \"${header}\"\n")
  execute_process(COMMAND ${CXX} ${flags} -I${LAYERS}/${layer} ${source}
                  RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
  string(FIND "${errors}" "No such file or directory" missing)
  if(expected STREQUAL "yes" AND NOT result EQUAL 0)
    message(SEND_ERROR "${layer} cannot include ${header}, a folder below it:\n${errors}")
    math(EXPR failures "${failures} + 1")
  elseif(expected STREQUAL "no" AND (result EQUAL 0 OR missing EQUAL -1))
    message(SEND_ERROR "${layer} may include ${header}, a folder above it")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "${layer} -> ${header}: ${expected}, as it should")
  endif()
endforeach()
list(LENGTH probes total)
math(EXPR passed "${total} - ${failures}")
message(STATUS "${passed} passed, ${failures} failed")
