#include "application.h"
#include "fenetre.h"

#include <QApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display the toolkit would abort with a trace that says little to a teacher. Only X11 and Wayland
// need one named in the environment: Windows and macOS always have their own.
bool affichageDisponible()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    const QByteArray plateforme = qgetenv("QT_QPA_PLATFORM");
    if (!plateforme.isEmpty() && !plateforme.startsWith("xcb") && !plateforme.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    if (!affichageDisponible()) {
        std::fputs("La Pesarine a besoin d'un écran graphique : lancez-la depuis le bureau, ou sans écran avec "
                   "« xvfb-run ./pesarine ».\n",
            stderr);
        return EXIT_FAILURE;
    }

    QApplication application(argc, argv);
    substituerPolices();
    preparerApplication(application);

    HorlogeSysteme horloge;
    HasardSysteme hasard;
    FenetrePesarine fenetre(horloge, hasard);
    fenetre.show();
    return application.exec();
}
