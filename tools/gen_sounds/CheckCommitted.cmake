# Runs the generator into OUT and checks that every file it writes is
# byte-identical to the committed copy in DATA: the committed sounds are what
# the recipes make, and the output does not drift from run to run.
# Expects -DGEN=<generator> -DOUT=<folder> -DDATA=<repository DATA folder>.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${GEN} ${OUT} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gen_sounds failed: ${result}")
endif()
file(GLOB made RELATIVE ${OUT} ${OUT}/*.ogg)
list(LENGTH made count)
if(NOT count EQUAL 8)
  message(FATAL_ERROR "gen_sounds wrote ${count} files, expected 8")
endif()
foreach(name IN LISTS made)
  file(SHA256 ${OUT}/${name} fresh)
  if(NOT EXISTS ${DATA}/${name})
    message(FATAL_ERROR "${DATA}/${name} is not committed")
  endif()
  file(SHA256 ${DATA}/${name} committed)
  if(NOT fresh STREQUAL committed)
    message(FATAL_ERROR "${DATA}/${name} differs from what gen_sounds makes; run gen_sounds DATA and commit")
  endif()
endforeach()
