# Runs the generator into a scratch folder and checks that every committed
# picture in DATA/ is exactly its output, so the data never drifts from the code.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GEN} ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gen_pictures failed: ${rc}")
endif()
foreach(name Figs1.jpg Help1.jpg Lineh1.jpg Linev1.jpg Lineh2.jpg Linev2.jpg)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${DATA}/${name} RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "DATA/${name} differs from the generator's output: run gen_pictures DATA and commit")
  endif()
endforeach()
