# Bitmap resources of the DLL, made from the editable pictures in bitmaps/.
# Included from the top level so that the DLL target can use the generated script.
file(GLOB QRVL_PICTURES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/bitmaps/*.txt)
set(QRVL_RC_DIR ${CMAKE_BINARY_DIR}/resources)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${QRVL_RC_DIR}/qrvide32.rc
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/make_bitmaps.py
          ${CMAKE_CURRENT_LIST_DIR}/bitmaps ${QRVL_RC_DIR}
  DEPENDS ${QRVL_PICTURES} ${CMAKE_CURRENT_LIST_DIR}/make_bitmaps.py
  COMMENT "Drawing the editor bitmaps")
set(QRVL_RESOURCE_SCRIPT ${QRVL_RC_DIR}/qrvide32.rc)
