# Draws one picture of the user's manual: plays its scenario with siccora-sim and keeps the panel
# picture of the scenario's end. A scenario that no longer reaches its state fails the build with
# siccora-sim's report; the picture is renamed into place only when the scenario passed.
#
#   cmake -DSIM=siccora-sim -DSCENARIO=idle.yaml -DPICTURE=idle.png -P draw_manual_picture.cmake
foreach(variable SIM SCENARIO PICTURE)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "draw_manual_picture.cmake needs -D${variable}=...")
  endif()
endforeach()

set(part ${PICTURE}.part.png)
file(REMOVE ${part})
execute_process(
  COMMAND ${SIM} --picture ${part} ${SCENARIO}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE report
  ERROR_VARIABLE report)
if(NOT result EQUAL 0 OR NOT EXISTS ${part})
  file(REMOVE ${part})
  message(FATAL_ERROR "The manual's picture ${PICTURE} was not drawn: its scenario failed "
                      "(exit ${result}).\n${report}")
endif()
file(RENAME ${part} ${PICTURE})
