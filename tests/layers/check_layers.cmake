# Compiles one-line probes with a layer's own include root and the include directories of what
# the layer links: an include of a folder below the layer must compile, an include of a folder
# above it must not be found, and neither must the headers of a Qt module the layer does not link.
# Called by CTest with CXX, LAYERS (the build's layer roots) and, for each layer, INCLUDES_<layer>
# ("|"-separated).
set(flags -std=c++20 -fPIC -fsyntax-only -x c++)

# layer, header, whether it must be found
set(probes
  "domain|store/StoreResult.h|no"
  "domain|QDate|yes"
  "domain|QImage|no"
  "domain|QSqlDatabase|no"
  "store|domain/CsvReader.h|yes"
  "store|QSqlDatabase|yes"
  "store|report/ReportRun.h|no"
  "store|messages/ShowMsg.h|no"
  "store|QImage|no"
  "store|QWidget|no"
  "report|store/StoreResult.h|yes"
  "report|domain/Clock.h|yes"
  "report|QPainter|yes"
  "report|messages/ShowMsg.h|no"
  "report|ui/DateBox.h|no"
  "report|app/Version.h|no"
  "receipt|report/ReportRun.h|yes"
  "receipt|preview/ReportPreview.h|no"
  "receipt|ui/DateBox.h|no"
  "messages|receipt/ReceiptFormat.h|yes"
  "messages|QWidget|yes"
  "ui|preview/ReportPreview.h|no"
  "preview|ui/BriefNotice.h|yes"
  "customers|ui/SetImeStatus.h|yes"
  "customers|printing/PrintRuns.h|no"
  "printing|app/CommandLine.h|no"
  "printing|register/RegisterWindow.h|no"
  "register|receipt/ReceiptFormat.h|yes"
  "register|printing/PrintRuns.h|yes"
  "register|app/CommandLine.h|no"
  "app|receipt/ReceiptFormat.h|yes")
set(failures 0)
foreach(probe ${probes})
  string(REPLACE "|" ";" parts "${probe}")
  list(GET parts 0 layer)
  list(GET parts 1 header)
  list(GET parts 2 expected)
  set(source "${CMAKE_CURRENT_BINARY_DIR}/layer_probe_${layer}.cpp")
  file(WRITE ${source} "#include \"${header}\"\n")
  string(REPLACE "|" ";" includes "${INCLUDES_${layer}}")
  list(TRANSFORM includes PREPEND -I)
  execute_process(COMMAND ${CXX} ${flags} -I${LAYERS}/${layer} ${includes} ${source}
                  RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
  string(FIND "${errors}" "No such file or directory" missing)
  if(expected STREQUAL "yes" AND NOT result EQUAL 0)
    message(SEND_ERROR "${layer} cannot include ${header}, which it should see:\n${errors}")
    math(EXPR failures "${failures} + 1")
  elseif(expected STREQUAL "no" AND (result EQUAL 0 OR missing EQUAL -1))
    message(SEND_ERROR "${layer} may include ${header}, which it should not see")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "${layer} -> ${header}: ${expected}, as it should")
  endif()
endforeach()
list(LENGTH probes total)
math(EXPR passed "${total} - ${failures}")
message(STATUS "${passed} passed, ${failures} failed")
