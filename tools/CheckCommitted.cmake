# Runs a generator into a scratch folder and checks that every file it writes
# (those matching PATTERN, COUNT of them) is byte-identical to the committed
# copy in DATA, so committed data never drifts from the code that makes it.
# Expects -DGEN=<generator> -DNAME=<its name> -DOUT=<scratch folder>
# -DDATA=<committed folder> -DPATTERN=<glob> -DCOUNT=<files>, and optionally
# -DMAX_BYTES=<largest file allowed>.
# A scratch folder of this run's own under OUT: two runs of the suite in one
# build folder at once must not empty each other's.
string(RANDOM LENGTH 12 run)
set(OUT ${OUT}/${run})
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GEN} ${OUT} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NAME} failed: ${result}")
endif()
file(GLOB made RELATIVE ${OUT} ${OUT}/${PATTERN})
list(LENGTH made count)
if(NOT count EQUAL COUNT)
  message(FATAL_ERROR "${NAME} wrote ${count} files, expected ${COUNT}")
endif()
foreach(name IN LISTS made)
  if(DEFINED MAX_BYTES)
    file(SIZE ${OUT}/${name} size)
    if(size GREATER MAX_BYTES)
      message(FATAL_ERROR "${name} is ${size} bytes, more than ${MAX_BYTES}")
    endif()
  endif()
  if(NOT EXISTS ${DATA}/${name})
    message(FATAL_ERROR "${DATA}/${name} is not committed")
  endif()
  file(SHA256 ${OUT}/${name} fresh)
  file(SHA256 ${DATA}/${name} committed)
  if(NOT fresh STREQUAL committed)
    message(FATAL_ERROR "${DATA}/${name} differs from what ${NAME} makes; "
                        "run ${NAME} on that folder and commit")
  endif()
endforeach()
file(REMOVE_RECURSE ${OUT})
