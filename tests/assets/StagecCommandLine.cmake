# Runs the stage compiler as the build does: a bad source must fail with the line in
# the message and leave the previous stage file as it was; a damaged stage file must
# be refused when printed.
set(work ${WORK_DIR}/stagec-cli)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

execute_process(COMMAND ${STAGEC} compile ${STAGES} ${work}/Fases.dat RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the shipped stages do not compile")
endif()
file(SHA256 ${work}/Fases.dat before)

file(READ ${STAGES} source)
string(REGEX REPLACE "\ntarget +[0-9]+" "\ntarget  twelve" source "${source}")
file(WRITE ${work}/bad.txt "${source}")
execute_process(COMMAND ${STAGEC} compile ${work}/bad.txt ${work}/Fases.dat
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "bad.txt: line [0-9]+: target 'twelve' is not a whole number")
    message(FATAL_ERROR "bad source not reported: ${rc} ${err}")
endif()
file(SHA256 ${work}/Fases.dat after)
if(NOT before STREQUAL after)
    message(FATAL_ERROR "a failed compile changed the previous stage file")
endif()

execute_process(COMMAND ${STAGEC} print ${work}/Fases.dat RESULT_VARIABLE rc OUTPUT_VARIABLE text)
if(NOT rc EQUAL 0 OR NOT text MATCHES "stage 25")
    message(FATAL_ERROR "printing the stage file failed: ${rc}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E touch ${work}/empty.dat)
execute_process(COMMAND ${STAGEC} print ${work}/empty.dat RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "0 bytes, 16500 needed")
    message(FATAL_ERROR "an empty stage file was not refused: ${rc} ${err}")
endif()

execute_process(COMMAND ${STAGEC} print ${work}/missing.dat RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "missing.dat")
    message(FATAL_ERROR "a missing stage file was not reported: ${rc} ${err}")
endif()
