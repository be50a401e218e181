#include "application.h"

#include "pesarine_config.h"
#include "widgets.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

void substituerPolices()
{
    for (const char* famille : { "Verdana", "Arial" })
        QFont::insertSubstitution(QString::fromLatin1(famille), QStringLiteral("DejaVu Sans"));
}

void preparerApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral(PESARINE_NOM_APPLICATION));
    QApplication::setApplicationVersion(QStringLiteral(PESARINE_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral(PESARINE_ORGANISATION));
    QGuiApplication::setDesktopFileName(QStringLiteral(PESARINE_IDENTIFIANT));

    installerAccessibiliteImages();

    auto* traduction = new QTranslator(&application);
    // Where the system keeps no copy of them (Windows), the program carries its own.
    if (traduction->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || traduction->load(QStringLiteral(":/traductions/qtbase_fr.qm")))
        QApplication::installTranslator(traduction);
}
