# Runs COMMAND (a list) in a fresh folder under the temporary directory and
# removes the folder afterwards, so that a program that is no test program
# (and has no test main of its own) leaves nothing in the build tree.
# Fails when the command fails.
#   cmake -DCOMMAND="program;arg;..." -P run_in_scratch.cmake
# A "@SEED@" argument is replaced by a seed drawn from the clock, printed
# first so that a failure can be replayed.
if(DEFINED ENV{TMPDIR})
  set(temporary $ENV{TMPDIR})
else()
  set(temporary /tmp)
endif()
string(RANDOM LENGTH 8 suffix)
set(scratch ${temporary}/morvane_test_${suffix})
file(MAKE_DIRECTORY ${scratch})

string(TIMESTAMP seed "%s")
list(TRANSFORM COMMAND REPLACE "^@SEED@$" ${seed})
string(REPLACE ";" " " shown "${COMMAND}")
message("running ${shown}")
execute_process(
  COMMAND ${COMMAND} WORKING_DIRECTORY ${scratch} RESULT_VARIABLE result)
file(REMOVE_RECURSE ${scratch})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${shown} failed: ${result}")
endif()
