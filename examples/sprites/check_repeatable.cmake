# Runs the sprites example twice for the same number of frames and fails unless both
# screenshots are the same file, byte for byte.
#   cmake -DPROGRAM=<sprites> -DOUT=<folder> -P check_repeatable.cmake
foreach(run a b)
  execute_process(COMMAND ${PROGRAM} --frames 40 --no-vsync --screenshot ${OUT}/repeat_${run}.png
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "sprites run ${run} failed with status ${status}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/repeat_a.png ${OUT}/repeat_b.png
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "two runs of 40 frames saved different pictures: ${OUT}/repeat_a.png, repeat_b.png")
endif()
message(STATUS "two runs of 40 frames saved the same picture")
