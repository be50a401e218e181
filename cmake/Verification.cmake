# Builds that look for faults, used by continuous integration (.ci/run); all off by default.
#   PESARINE_ERREURS_AVERTISSEMENTS  compiler warnings are errors
#   PESARINE_SANITISEURS             AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer; the first
#                                    report ends the process
#   PESARINE_FUZZ                    the number reader's fuzz target, with libFuzzer (clang only), under the same
#                                    sanitizers
option(PESARINE_ERREURS_AVERTISSEMENTS "Avertissements du compilateur traités comme des erreurs" OFF)
option(PESARINE_SANITISEURS "Construire avec ASan, UBSan et LSan" OFF)
option(PESARINE_FUZZ "Construire la cible de fuzzing du lecteur de nombres (clang et libFuzzer)" OFF)

if(PESARINE_ERREURS_AVERTISSEMENTS)
    if(MSVC)
        add_compile_options(/WX)
    else()
        add_compile_options(-Werror)
    endif()
endif()

if(PESARINE_SANITISEURS OR PESARINE_FUZZ)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(PESARINE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "PESARINE_FUZZ needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # Coverage for the fuzzer everywhere; only the fuzz target links its main.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
