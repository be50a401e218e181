# The Debian package, built by `cpack -G DEB` from the install rules. Name, version and home page come from project().

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pesarine)
set(CPACK_PACKAGE_VENDOR ${PESARINE_ORGANISATION})
set(CPACK_PACKAGE_CONTACT "Hortense Bauzière <hortense.bauziere@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "${PESARINE_NOM_APPLICATION} apprend aux élèves à peser avec une balance à deux plateaux et une boîte de douze \
poids marqués : l'élève équilibre un paquet de masse inconnue, additionne les poids et donne la masse du paquet. \
Le programme compte les pesées réussies et les erreurs de calcul, et affiche le rendement en pesées par minute.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# The program has no library of its own: the search path that qt_standard_project_setup gives it would only make the
# installed program look beside itself for Qt's libraries.
set_target_properties(pesarine PROPERTIES INSTALL_RPATH "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no link shows them: the platform plugins, the French texts of Qt's own dialogs, and the
# font put in place of the window's Verdana and Arial.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")

include(CPack)
