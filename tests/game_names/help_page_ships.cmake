# Checks that the help page sits beside the game's executable in the build tree and in a
# copy installed with `cmake --install`, as the same file as the project's page.
function(expect_same_file actual)
  if(NOT EXISTS "${actual}")
    message(FATAL_ERROR "missing: ${actual}")
  endif()
  file(SHA256 "${PAGE}" want)
  file(SHA256 "${actual}" got)
  if(NOT want STREQUAL got)
    message(FATAL_ERROR "differs from ${PAGE}: ${actual}")
  endif()
endfunction()

if(NOT EXISTS "${RUNTIME_DIR}/Korvane2")
  message(FATAL_ERROR "no executable in ${RUNTIME_DIR}")
endif()
expect_same_file("${RUNTIME_DIR}/Help/korvane2.html")

# A scratch prefix in this run's own home (tests/support/own_home).
set(PREFIX "$ENV{HOME}/installed")
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_TREE}" --prefix "${PREFIX}"
  RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
file(GLOB_RECURSE installed_exe LIST_DIRECTORIES false "${PREFIX}/*/Korvane2")
list(LENGTH installed_exe count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one installed Korvane2, found: ${installed_exe}")
endif()
get_filename_component(exe_folder "${installed_exe}" DIRECTORY)
expect_same_file("${exe_folder}/Help/korvane2.html")
file(REMOVE_RECURSE "${PREFIX}")
