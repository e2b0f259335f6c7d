# Runs the test program PROGRAM (ARGS: its arguments, a list) as a developer would by hand:
# with an empty home of its own and nothing of the suite's environment (no store, no
# configuration folder, no platform, no display named). Every case must pass, the home
# must stay empty, and the home the program made itself must be gone after it.
set(scratch "$ENV{HOME}/by-hand")  # in this run's own home (tests/support/own_home)
set(home "${scratch}/home")
set(tmp "${scratch}/tmp")
file(REMOVE_RECURSE "${scratch}")
file(MAKE_DIRECTORY "${home}" "${tmp}")

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=TOOLKIT_STORE --unset=XDG_CONFIG_HOME
          --unset=QT_QPA_PLATFORM --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=XAUTHORITY
          HOME=${home} TMPDIR=${tmp} ${PROGRAM} ${ARGS}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out
  TIMEOUT 240)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "run by hand, ${PROGRAM} failed (${rc}):\n${out}")
endif()

file(GLOB_RECURSE written LIST_DIRECTORIES true "${home}/*")
if(written)
  message(FATAL_ERROR "run by hand, ${PROGRAM} wrote into the home it was given:\n${written}")
endif()
file(GLOB left LIST_DIRECTORIES true "${tmp}/*.home.*")
if(left)
  message(FATAL_ERROR "the home ${PROGRAM} made for itself is still there:\n${left}")
endif()
file(REMOVE_RECURSE "${scratch}")
