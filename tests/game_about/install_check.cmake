# Installs the build tree into a scratch prefix and checks what a player gets: the game
# with its shared libraries, the control module with its machine-wide registration and
# the credits beside it, the help page, the launcher, the menu entry and the icon. The
# installed game finds the installed control, not the build tree's.
cmake_minimum_required(VERSION 3.25)

function(run_checked)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                  TIMEOUT 120)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

# A scratch prefix in this run's own home (tests/support/own_home).
set(PREFIX "$ENV{HOME}/installed")
file(REMOVE_RECURSE "${PREFIX}")
run_checked("${CMAKE_COMMAND}" --install "${BUILD_TREE}" --prefix "${PREFIX}")

set(lib "${PREFIX}/lib/korvane2")
foreach(f
    "${lib}/Korvane2" "${lib}/tickctl.so" "${lib}/script" "${lib}/machine.store"
    "${lib}/Help/korvane2.html" "${lib}/libruntime.so" "${lib}/libtoolkit_ui.so"
    "${PREFIX}/bin/korvane2" "${PREFIX}/share/applications/korvane2.desktop"
    "${PREFIX}/share/icons/hicolor/32x32/apps/korvane2.png")
  if(NOT EXISTS "${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# Every user reads the registrations, the installed one and the build tree's.
foreach(store "${lib}/machine.store" "${BUILD_TREE}/bin/machine.store")
  run_checked(stat -c %a "${store}")
  string(STRIP "${out}" mode)
  if(NOT mode STREQUAL "644")
    message(FATAL_ERROR "${store} has mode ${mode}, not 644: not every user may read it")
  endif()
endforeach()

file(READ "${lib}/script" credits)
if(NOT credits MATCHES "Korvane#2")
  message(FATAL_ERROR "the installed credits are not the game's: ${lib}/script")
endif()
file(REAL_PATH "${PREFIX}/bin/korvane2" launcher)
file(REAL_PATH "${lib}/Korvane2" game)
if(NOT launcher STREQUAL game)
  message(FATAL_ERROR "bin/korvane2 leads to ${launcher}, not ${game}")
endif()
file(STRINGS "${PREFIX}/share/applications/korvane2.desktop" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=${lib}/Korvane2")
  message(FATAL_ERROR "the menu entry starts '${exec}', not ${lib}/Korvane2")
endif()

# The installed game loads the installed runtime, which reads the registration beside it.
run_checked(ldd "${lib}/Korvane2")
if(NOT out MATCHES "libruntime\\.so => ${lib}/libruntime\\.so")
  message(FATAL_ERROR "the installed game does not use the installed runtime:\n${out}")
endif()

# That registration names the installed module, found with an empty user store.
set(home "${PREFIX}/home")
file(MAKE_DIRECTORY "${home}")
run_checked("${CMAKE_COMMAND}" -E env --unset=TOOLKIT_MACHINE_STORE
  "HOME=${home}" "XDG_CONFIG_HOME=${home}/config" "TOOLKIT_STORE=${home}/user.store"
  "TOOLKIT_MACHINE_STORE=${lib}/machine.store" QT_QPA_PLATFORM=offscreen
  "${COMREG}" show prjTickerell.Tickerell)
string(REGEX MATCH "InprocServer32[^\n]*\n[^\n]*" server "${out}")
if(NOT server MATCHES "\"${lib}/tickctl\\.so\"")
  message(FATAL_ERROR "the installed registration does not name ${lib}/tickctl.so:\n${out}")
endif()
string(FIND "${out}" "${BUILD_TREE}/bin/" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the installed registration names the build tree's module:\n${out}")
endif()
# Reading it left nothing behind, and the installation keeps no lock of its writing.
file(GLOB left "${lib}/machine.store?*")
if(left)
  message(FATAL_ERROR "files beside the installed registration: ${left}")
endif()

# The installed game starts from any folder with a fresh user and shows its main window.
run_checked("${CMAKE_COMMAND}" -E chdir "${home}"
  "${CMAKE_COMMAND}" -E env --unset=TOOLKIT_MACHINE_STORE
  "HOME=${home}" "XDG_CONFIG_HOME=${home}/config" "TOOLKIT_STORE=${home}/user.store"
  QT_QPA_PLATFORM=offscreen KORVANE2_EXIT_WHEN_SHOWN=1 "${PREFIX}/bin/korvane2")
if(NOT out MATCHES "shown")
  message(FATAL_ERROR "the installed game did not show its window: ${out}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
