# One run of a command line, checked: its exit code, its error text, which
# files it left in its scratch folder, and optionally a checker run on them.
#   cmake -DCMD=<list> -DRC=<code> [-DERR=<regex>] -DSCRATCH=<folder>
#         [-DMKDIR=<names>] [-DFILES=<names>] [-DCHECK=<list>] -P cli_case.cmake
# CMD runs inside SCRATCH, which starts empty apart from the folders MKDIR
# names; FILES lists exactly what must be there afterwards. List items are
# separated by '|'.
foreach(l CMD MKDIR FILES CHECK)
  string(REPLACE "|" ";" ${l} "${${l}}")
endforeach()
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
foreach(d IN LISTS MKDIR)
  file(MAKE_DIRECTORY "${SCRATCH}/${d}")
endforeach()

execute_process(COMMAND ${CMD} WORKING_DIRECTORY "${SCRATCH}" RESULT_VARIABLE rc ERROR_VARIABLE err
  OUTPUT_VARIABLE out)
if(NOT rc STREQUAL "${RC}")
  message(FATAL_ERROR "exit code ${rc}, expected ${RC}\nstdout: ${out}\nstderr: ${err}")
endif()
if(ERR AND NOT err MATCHES "${ERR}")
  message(FATAL_ERROR "stderr does not match '${ERR}':\n${err}")
endif()

file(GLOB left RELATIVE "${SCRATCH}" "${SCRATCH}/*")
list(SORT left)
set(want ${FILES})
list(SORT want)
if(NOT "${left}" STREQUAL "${want}")
  message(FATAL_ERROR "left in the folder: '${left}', expected '${want}'")
endif()

if(CHECK)
  execute_process(COMMAND ${CHECK} WORKING_DIRECTORY "${SCRATCH}" RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "check failed (${rc}): ${err}")
  endif()
endif()
