# Writes an empty store (or, with COMMAND=new-template, the invoice form) at STORE
# with the brisvel-xls at TOOL, unless a file is already there.
if(EXISTS "${STORE}")
    return()
endif()
get_filename_component(folder "${STORE}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
if(NOT COMMAND)
    set(COMMAND new-store)
endif()
execute_process(COMMAND "${TOOL}" ${COMMAND} "${STORE}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not write ${STORE}")
endif()
