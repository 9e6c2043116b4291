# Runs PROGRAM --doc FORMAT into OUTPUT; with GZIP set, compresses it as Debian wants manual
# pages (gzip -9n: best compression, no name or time stamp).
# cmake -DPROGRAM=... -DFORMAT=man|bash-completion -DOUTPUT=... [-DGZIP=ON] -P ProgramDoc.cmake
execute_process(COMMAND ${PROGRAM} --doc ${FORMAT} OUTPUT_FILE ${OUTPUT}.tmp
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "${PROGRAM} --doc ${FORMAT} failed: ${result}")
endif()
if(GZIP)
  execute_process(COMMAND gzip -9nf ${OUTPUT}.tmp RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip ${OUTPUT}.tmp failed: ${result}")
  endif()
  file(RENAME ${OUTPUT}.tmp.gz ${OUTPUT})
else()
  file(RENAME ${OUTPUT}.tmp ${OUTPUT})
endif()
