# Runs gen_busy into OUT and checks that both pictures are byte-identical to
# the committed copies. Expects -DGEN=<generator> -DOUT=<folder> -DDATA=<resources/busy>.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${GEN} ${OUT} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gen_busy failed: ${result}")
endif()
foreach(name connect.png pack.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${DATA}/${name}
                  RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "resources/busy/${name} differs from what gen_busy paints; "
                        "run gen_busy resources/busy and commit")
  endif()
endforeach()
