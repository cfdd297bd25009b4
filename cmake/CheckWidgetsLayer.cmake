# Fails when a file under src/widgets/ includes a window file of another folder: the shared window
# machinery sits below the windows of the subsystems and may include only the rules (core files of
# any folder) and its own headers. Run by ctest as the test "widgets_layer":
#   cmake -DSOURCE_DIR=<src> -DGUI_FILES="<folder/Name;...>" -P CheckWidgetsLayer.cmake
# GUI_FILES lists the window files outside widgets/ that are not Tfrm* windows (CABLORA_GUI_FILES);
# every file under invoicing/ and every Tfrm* file is a window file too.
cmake_minimum_required(VERSION 3.21)
file(GLOB widget_files ${SOURCE_DIR}/widgets/*.h ${SOURCE_DIR}/widgets/*.cpp)
set(faults)
foreach(file ${widget_files})
  file(STRINGS ${file} includes REGEX "^#include \"[^\"]+\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\\.h\".*" "\\1" included "${line}")
    get_filename_component(name ${included} NAME)
    if(included MATCHES "^widgets/")
      continue()
    endif()
    if(included MATCHES "^invoicing/" OR name MATCHES "^Tfrm" OR included IN_LIST GUI_FILES)
      file(RELATIVE_PATH relative ${SOURCE_DIR} ${file})
      list(APPEND faults "${relative} includes ${included}.h")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "widgets/ includes window files of other folders:\n  ${text}")
endif()
