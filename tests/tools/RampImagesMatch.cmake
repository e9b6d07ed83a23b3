# Writes the ramps afresh into SCRATCH with RAMPGEN and compares them byte for
# byte with the images in IMAGES.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${RAMPGEN} ${SCRATCH} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "hebview-rampgen failed: ${status}")
endif()
foreach(i RANGE 4)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
        ${SCRATCH}/pal_${i}.png ${IMAGES}/pal_${i}.png RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "data/textures/pal_${i}.png is not what hebview-rampgen writes; "
            "run hebview-rampgen data/textures and commit the images")
    endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
