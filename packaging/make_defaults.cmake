# Writes the installation's read-only defaults into FOLDER with the brisvel-xls at
# TOOL: the empty store and, when the tool can make one, the invoice template.
# Both are made anew each time, so they follow the tool.
file(MAKE_DIRECTORY "${FOLDER}")
file(REMOVE "${FOLDER}/Gestione.xls" "${FOLDER}/Fattura.xls")
execute_process(COMMAND "${TOOL}" new-store "${FOLDER}/Gestione.xls" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not write the default store ${FOLDER}/Gestione.xls")
endif()
# Exit status 2 is the tool's usage error: a tool without new-template yet.
execute_process(COMMAND "${TOOL}" new-template "${FOLDER}/Fattura.xls"
                RESULT_VARIABLE result ERROR_QUIET)
if(NOT result EQUAL 0 AND NOT result EQUAL 2)
    message(FATAL_ERROR "Could not write the default invoice template ${FOLDER}/Fattura.xls")
endif()
