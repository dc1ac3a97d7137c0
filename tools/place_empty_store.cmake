# Writes an empty store at STORE with the brisvel-xls at TOOL, unless a file is
# already there.
if(EXISTS "${STORE}")
    return()
endif()
get_filename_component(folder "${STORE}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(COMMAND "${TOOL}" new-store "${STORE}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not write the empty store ${STORE}")
endif()
