# Windows: the executable's icon and version resource, and its installer, made by NSIS (target "installateur":
# build/pesarine-VERSION-installation.exe). scripts/windows.sh cross-builds all this on Debian.
enable_language(RC)

# Who publishes the program, and its rights, as the package's copyright file says them.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/debian/copyright contact REGEX "^Upstream-Contact: " LIMIT_COUNT 1 ENCODING UTF-8)
file(STRINGS ${PROJECT_SOURCE_DIR}/data/debian/copyright droits REGEX "^Copyright: " LIMIT_COUNT 1 ENCODING UTF-8)
string(REGEX REPLACE "^Upstream-Contact: ([^<]*[^ <]) *<.*$" "\\1" PESARINE_AUTEUR "${contact}")
string(REGEX REPLACE "^Copyright: ([^<]*[^ <]) *<.*$" "\\1" PESARINE_DROITS "${droits}")

# Windows wants four numbers.
set(numeros ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH} ${PROJECT_VERSION_TWEAK})
list(TRANSFORM numeros REPLACE "^$" "0")
list(APPEND numeros 0 0 0 0)
list(SUBLIST numeros 0 4 numeros)
list(JOIN numeros "," PESARINE_VERSION_WINDOWS)
list(JOIN numeros "." PESARINE_VERSION_POINTS)

# The icon of the executable, of its Start-menu entry and of the installer: the program's own pictures of it, the
# largest kept as PNG as Windows allows.
find_program(PESARINE_ICOTOOL icotool REQUIRED)
set(PESARINE_ICONE_WINDOWS ${PROJECT_BINARY_DIR}/pesarine.ico)
set(icones ${PROJECT_SOURCE_DIR}/pictures/icone_balance32.png ${PROJECT_SOURCE_DIR}/pictures/icone_balance48.png
    ${PROJECT_SOURCE_DIR}/pictures/icone_balance32@2x.png)
set(icone_png ${PROJECT_SOURCE_DIR}/pictures/icone_balance256.png)
add_custom_command(OUTPUT ${PESARINE_ICONE_WINDOWS}
    COMMAND ${PESARINE_ICOTOOL} --create --output=${PESARINE_ICONE_WINDOWS} ${icones} --raw=${icone_png}
    DEPENDS ${icones} ${icone_png}
    VERBATIM)
# One target makes it, before the executable whose resource takes it in.
add_custom_target(pesarine_icone DEPENDS ${PESARINE_ICONE_WINDOWS})
add_dependencies(pesarine pesarine_icone)

configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/pesarine.rc.in ${PROJECT_BINARY_DIR}/pesarine.rc @ONLY)
target_sources(pesarine PRIVATE ${PROJECT_BINARY_DIR}/pesarine.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/pesarine.rc TARGET_DIRECTORY pesarine
    PROPERTIES OBJECT_DEPENDS ${PESARINE_ICONE_WINDOWS})

# The installer carries the executable stripped of its symbols, and the licence, shown before installing.
find_program(PESARINE_MAKENSIS makensis)
if(PESARINE_MAKENSIS)
    set(PESARINE_EXECUTABLE ${PROJECT_BINARY_DIR}/installateur/pesarine.exe)
    set(PESARINE_LICENCE ${PROJECT_SOURCE_DIR}/COPYING)
    set(PESARINE_INSTALLATEUR ${PROJECT_BINARY_DIR}/pesarine-${PROJECT_VERSION}-installation.exe)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/installateur.nsi.in ${PROJECT_BINARY_DIR}/installateur.nsi @ONLY)
    add_custom_command(OUTPUT ${PESARINE_EXECUTABLE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/installateur
        COMMAND ${CMAKE_STRIP} --strip-all -o ${PESARINE_EXECUTABLE} $<TARGET_FILE:pesarine>
        DEPENDS pesarine
        VERBATIM)
    add_custom_command(OUTPUT ${PESARINE_INSTALLATEUR}
        COMMAND ${PESARINE_MAKENSIS} -V2 -INPUTCHARSET UTF8 ${PROJECT_BINARY_DIR}/installateur.nsi
        DEPENDS ${PROJECT_BINARY_DIR}/installateur.nsi ${PESARINE_EXECUTABLE} ${PESARINE_LICENCE}
        VERBATIM)
    add_custom_target(installateur DEPENDS ${PESARINE_INSTALLATEUR})
endif()
