# cmake -DINPUT=FILE -DOUTPUT=FILE.gz -P Gzip.cmake: FILE compressed as Debian
# packages want it (gzip -9n: best compression, no name or time stamp), so the
# same file always gives the same bytes.
execute_process(COMMAND gzip -9n -c ${INPUT} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "gzip ${INPUT}: ${result}")
endif()
