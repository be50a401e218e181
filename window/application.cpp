#include "application.h"

#include "pesarine_config.h"
#include "widgets.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QResource>
#include <QTranslator>

void substituerPolices()
{
    // The faces are stored uncompressed in the executable: the toolkit reads them where they lie, without a copy.
    for (const char* face : { "DejaVuSans", "DejaVuSans-Bold", "DejaVuSans-BoldOblique" }) {
        const QResource ressource(QStringLiteral(":/polices/%1.ttf").arg(QLatin1String(face)));
        QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
            reinterpret_cast<const char*>(ressource.data()), static_cast<qsizetype>(ressource.size())));
    }
    for (const char* famille : { "Verdana", "Arial" })
        QFont::insertSubstitution(QString::fromLatin1(famille), QString::fromLatin1(familleDesControles));
}

void preparerApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral(PESARINE_NOM_APPLICATION));
    QApplication::setApplicationVersion(QStringLiteral(PESARINE_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral(PESARINE_ORGANISATION));
    QGuiApplication::setDesktopFileName(QStringLiteral(PESARINE_IDENTIFIANT));

    installerAccessibiliteImages();

    auto* traduction = new QTranslator(&application);
    if (traduction->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(traduction);
}
