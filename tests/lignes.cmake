# Read by CTest when it starts: one test for each data row of the Qt Test program PROGRAMME, named
# "NOM:function:row" (or "NOM:function" for a function without rows), with ENVIRONNEMENT and a TIMEOUT of LIMITE.
# A program that cannot list its rows is run whole, and fails as it would. CMAKE: the cmake program (CTest has no
# CMAKE_COMMAND); EMULATEUR: what runs a cross-built program here (Wine), if anything.
execute_process(COMMAND "${CMAKE}" -E env ${ENVIRONNEMENT} ${EMULATEUR} "${PROGRAMME}" -datatags
    OUTPUT_VARIABLE sortie ERROR_QUIET RESULT_VARIABLE code)
if(NOT code EQUAL 0 OR sortie STREQUAL "")
    add_test("${NOM}" ${EMULATEUR} "${PROGRAMME}")
    set_tests_properties("${NOM}" PROPERTIES ENVIRONMENT "${ENVIRONNEMENT}" TIMEOUT ${LIMITE})
    return()
endif()

string(REPLACE ";" "\\;" sortie "${sortie}")
string(REPLACE "\n" ";" lignes "${sortie}")
foreach(ligne IN LISTS lignes)
    # "Class function row name": the row's name may hold spaces.
    if(NOT ligne MATCHES "^[^ ]+ ([^ ]+)( (.*))?$")
        continue()
    endif()
    set(selection "${CMAKE_MATCH_1}")
    if(NOT "${CMAKE_MATCH_3}" STREQUAL "")
        set(selection "${CMAKE_MATCH_1}:${CMAKE_MATCH_3}")
    endif()
    add_test("${NOM}:${selection}" ${EMULATEUR} "${PROGRAMME}" "${selection}")
    set_tests_properties("${NOM}:${selection}" PROPERTIES ENVIRONMENT "${ENVIRONNEMENT}" TIMEOUT ${LIMITE})
endforeach()
