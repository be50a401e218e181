cmake_minimum_required(VERSION 3.25)
# Grabs the window again into SORTIE and compares its pixels with those of the committed ATTENDUE (COMPARER says
# where they differ).
file(REMOVE "${SORTIE}")
execute_process(COMMAND "${PROGRAMME}" "${SORTIE}" RESULT_VARIABLE resultat)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "capturer_fenetre failed: ${resultat}")
endif()
execute_process(COMMAND "${COMPARER}" "${ATTENDUE}" "${SORTIE}" RESULT_VARIABLE different)
if(NOT different EQUAL 0)
    message(FATAL_ERROR "${ATTENDUE} is not the window as it looks now (${SORTIE}); if the new look is meant, "
        "make it again with `cmake --build build --target capture_ecran` and commit it")
endif()
message(STATUS "${ATTENDUE}: the window as it looks now")
