# Writes the commit the sources are at into OUT, at every build and only when it changed, so
# that a report names the source the program was built from: "unknown" outside a clone, and
# "+changes" after the commit when the sources differ from it.
execute_process(COMMAND git rev-parse --short=12 HEAD WORKING_DIRECTORY ${SOURCE}
  OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
if(failed OR NOT commit)
  set(commit unknown)
else()
  execute_process(COMMAND git diff --quiet HEAD -- WORKING_DIRECTORY ${SOURCE}
    RESULT_VARIABLE changed ERROR_QUIET)
  if(changed)
    string(APPEND commit "+changes")
  endif()
endif()
set(text "#pragma once\n#define ZURIZEDE_COMMIT \"${commit}\"\n")
set(old "")
if(EXISTS ${OUT})
  file(READ ${OUT} old)
endif()
if(NOT text STREQUAL old)
  file(WRITE ${OUT} "${text}")
endif()
