# tests/res/CompareImages.cmake: redraws the installer's pictures and compares them byte for byte.
# Usage: cmake -DPYTHON3=... -DGENERATOR=... -DCOMMITTED_DIR=... -DOUTPUT_DIR=... -P CompareImages.cmake
file(REMOVE_RECURSE "${OUTPUT_DIR}")
execute_process(COMMAND "${PYTHON3}" "${GENERATOR}" "${OUTPUT_DIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "draw_images.py failed: ${status}")
endif()
foreach(picture Brantovell.ico HandCursor.cur Logo.bmp)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                    "${COMMITTED_DIR}/${picture}" "${OUTPUT_DIR}/${picture}" RESULT_VARIABLE differs)
    if(differs)
        message(SEND_ERROR "${picture} differs from what draw_images.py draws now (redraw and commit it)")
    endif()
endforeach()
