# The Debian package, built by `cpack -G DEB` from the install rules. Name, version and home page come from project().

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pesarine)
set(CPACK_PACKAGE_VENDOR ${PESARINE_ORGANISATION})
set(CPACK_PACKAGE_CONTACT "Hortense Bauzière <hortense.bauziere@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines under 80 columns, as Debian's tools show them; an empty line separates paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "${PESARINE_NOM_APPLICATION} apprend aux élèves de l'école élémentaire à peser avec une"
    "balance à deux plateaux et une boîte de douze poids marqués, de 1 à 500 g."
    "Un paquet de masse inconnue attend sur le plateau de gauche : l'élève pose"
    "des poids sur l'autre plateau jusqu'à l'équilibre, additionne les poids et"
    "donne la masse du paquet en grammes."
    ""
    "Un chronomètre mesure chaque série de pesées ; le programme compte les"
    "pesées réussies et les erreurs de calcul, et affiche le rendement en pesées"
    "réussies par minute. L'enseignant choisit la masse la plus grande d'un"
    "paquet, de 2 à 1000 g. Tout se joue à la souris, au clavier seul ou au"
    "toucher, et chaque contrôle porte un nom pour les lecteurs d'écran.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# Stripping keeps the compiler's notes; Debian's own packaging also drops them from what it installs.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:pesarine>\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
")

# The program has no library of its own: the search path that qt_standard_project_setup gives it would only make the
# installed program look beside itself for Qt's libraries.
set_target_properties(pesarine PROPERTIES INSTALL_RPATH "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Debian revision is the newest entry's of data/debian/changelog, like the package's changelog.
set(CPACK_DEBIAN_PACKAGE_RELEASE ${PESARINE_REVISION_DEBIAN})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no link shows them: the platform plugins, the French texts of Qt's own dialogs, and the
# font put in place of the window's Verdana and Arial.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")

include(CPack)
