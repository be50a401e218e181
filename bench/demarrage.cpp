// Start-up of the window, from the process's start to the end of its first paint, and peak memory,
// beside a bare main window with as many widgets. Each run is a fresh process: the benchmark starts
// itself again as a child, alternating the two kinds.
//
//   bench_demarrage [runs]                      runs of each kind, 15 by default
//   bench_demarrage --enfant pesarine           one child run (internal)
//   bench_demarrage --enfant nu WIDGETS W H     one child run (internal)

#include "application.h"
#include "fenetre.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace {

std::int64_t instant()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t { t.tv_sec } * 1'000'000'000 + t.tv_nsec;
}

long memoireCrete()
{
    std::ifstream statut("/proc/self/status");
    std::string ligne;
    while (std::getline(statut, ligne)) {
        if (ligne.rfind("VmHWM:", 0) == 0)
            return std::strtol(ligne.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// ---- child ----

// The paint of a widget window is one UpdateRequest: the repaint manager sends Paint to the central
// widget, then to each of its children in turn, then flushes the backing store to the platform window.
// A zero timer posted from the central widget's first Paint therefore fires once that whole
// paint-and-flush has returned to the event loop, and not before the children are drawn.
class FinDePeinture : public QObject {
public:
    explicit FinDePeinture(QMainWindow& fenetre, int widgets)
        : fenetre_(fenetre)
        , widgets_(widgets)
    {
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::Paint && !vu_) {
            vu_ = true;
            objet->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { finir(); });
        }
        return false;
    }

private:
    void finir()
    {
        const std::int64_t fin = instant();
        const QSize taille = fenetre_.centralWidget()->size();
        std::printf("fin %lld memoire %ld plateforme %s widgets %d taille %d %d\n", static_cast<long long>(fin),
            memoireCrete(), qPrintable(QGuiApplication::platformName()), widgets_, taille.width(),
            taille.height());
        std::fflush(stdout);
        std::_Exit(EXIT_SUCCESS);
    }

    QMainWindow& fenetre_;
    int widgets_;
    bool vu_ = false;
};

int enfant(int argc, char* argv[], const std::string& genre)
{
    // A child that never paints must not hang the run.
    const auto garde = [] {
        std::fputs("no paint within 30 s\n", stderr);
        std::_Exit(EXIT_FAILURE);
    };

    if (genre == "pesarine") {
        // As the program's own entry does.
        QApplication application(argc, argv);
        substituerPolices();
        preparerApplication(application);

        HorlogeSysteme horloge;
        HasardSysteme hasard;
        FenetrePesarine fenetre(horloge, hasard);
        FinDePeinture fin(fenetre, int(fenetre.centralWidget()->findChildren<QWidget*>().size()));
        fenetre.centralWidget()->installEventFilter(&fin);
        fenetre.show();
        QTimer::singleShot(30'000, &application, garde);
        return application.exec();
    }

    if (genre == "nu" && argc >= 6) {
        const int widgets = std::atoi(argv[3]);
        const int largeur = std::atoi(argv[4]);
        const int hauteur = std::atoi(argv[5]);
        QApplication application(argc, argv);

        QMainWindow fenetre;
        fenetre.setWindowTitle(QStringLiteral("Nu"));
        QMenu* menu = fenetre.menuBar()->addMenu(QStringLiteral("&Menu"));
        for (const char* nom : { "Un", "Deux", "Trois", "Quatre" })
            menu->addAction(QString::fromLatin1(nom));
        auto* surface = new QWidget(&fenetre);
        surface->setFixedSize(largeur, hauteur);
        surface->setAutoFillBackground(true);
        for (int i = 0; i < widgets; ++i) {
            auto* w = new QWidget(surface);
            w->setGeometry((i % 10) * 40, (i / 10) * 40, 32, 32);
        }
        fenetre.setCentralWidget(surface);
        fenetre.adjustSize();
        fenetre.setFixedSize(fenetre.size());

        FinDePeinture fin(fenetre, int(surface->findChildren<QWidget*>().size()));
        surface->installEventFilter(&fin);
        fenetre.show();
        QTimer::singleShot(30'000, &application, garde);
        return application.exec();
    }

    std::fprintf(stderr, "unknown child: %s\n", genre.c_str());
    return EXIT_FAILURE;
}

// ---- parent ----

struct Mesure {
    double millisecondes = 0;
    long memoireKo = 0;
    std::string plateforme;
    int widgets = 0;
    int largeur = 0;
    int hauteur = 0;
};

std::optional<Mesure> lancer(const std::string& executable, const std::vector<std::string>& arguments,
    char** environnement)
{
    int tube[2];
    if (pipe(tube) != 0)
        return std::nullopt;

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(executable.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, tube[0]);
    posix_spawn_file_actions_addclose(&actions, tube[1]);

    pid_t pid = 0;
    const std::int64_t depart = instant();
    const int erreur = posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), environnement);
    posix_spawn_file_actions_destroy(&actions);
    close(tube[1]);
    if (erreur != 0) {
        close(tube[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", executable.c_str(), std::strerror(erreur));
        return std::nullopt;
    }

    std::string sortie;
    char tampon[512];
    for (;;) {
        const ssize_t lu = read(tube[0], tampon, sizeof tampon);
        if (lu > 0)
            sortie.append(tampon, std::size_t(lu));
        else if (lu == 0 || errno != EINTR)
            break;
    }
    close(tube[0]);
    int statut = 0;
    waitpid(pid, &statut, 0);

    long long fin = 0;
    Mesure m;
    char plateforme[64] = {};
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0
        || std::sscanf(sortie.c_str(), "fin %lld memoire %ld plateforme %63s widgets %d taille %d %d", &fin,
               &m.memoireKo, plateforme, &m.widgets, &m.largeur, &m.hauteur)
            != 6) {
        std::fprintf(stderr, "child %s failed (status %d), output: %s\n", arguments.at(1).c_str(), statut,
            sortie.c_str());
        return std::nullopt;
    }
    m.millisecondes = double(fin - depart) / 1e6;
    m.plateforme = plateforme;
    return m;
}

double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int parent(int nombre)
{
    char chemin[4096];
    const ssize_t longueur = readlink("/proc/self/exe", chemin, sizeof chemin - 1);
    if (longueur <= 0) {
        std::fputs("cannot find my own executable\n", stderr);
        return EXIT_FAILURE;
    }
    const std::string executable(chemin, std::size_t(longueur));

    // Without a display the children draw off screen; a platform chosen by the caller is kept.
    std::vector<std::string> variables;
    for (char** e = environ; *e; ++e)
        variables.emplace_back(*e);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        variables.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> environnement;
    for (std::string& v : variables)
        environnement.push_back(v.data());
    environnement.push_back(nullptr);

    // One pair first, not counted: it fills the file cache, and the real window tells how many
    // widgets and what size the bare one must have.
    const auto reel = lancer(executable, { "--enfant", "pesarine" }, environnement.data());
    if (!reel)
        return EXIT_FAILURE;
    const std::vector<std::string> argumentsNu { "--enfant", "nu", std::to_string(reel->widgets),
        std::to_string(reel->largeur), std::to_string(reel->hauteur) };
    const auto nu = lancer(executable, argumentsNu, environnement.data());
    if (!nu)
        return EXIT_FAILURE;

    std::printf("platform: %s (DISPLAY=%s)\n", reel->plateforme.c_str(),
        qEnvironmentVariableIsEmpty("DISPLAY") ? "unset" : qgetenv("DISPLAY").constData());
    std::printf("widgets in the central widget: %d (bare window: %d), central widget %dx%d\n", reel->widgets,
        nu->widgets, reel->largeur, reel->hauteur);
    std::printf("warm-up pair (not counted): real %.1f ms %ld kB, bare %.1f ms %ld kB\n", reel->millisecondes,
        reel->memoireKo, nu->millisecondes, nu->memoireKo);
    std::printf("%4s  %12s %12s  %12s %12s\n", "run", "real ms", "real kB", "bare ms", "bare kB");

    std::vector<double> tempsReel, tempsNu, memoireReel, memoireNu;
    for (int i = 1; i <= nombre; ++i) {
        const auto r = lancer(executable, { "--enfant", "pesarine" }, environnement.data());
        const auto n = lancer(executable, argumentsNu, environnement.data());
        if (!r || !n)
            return EXIT_FAILURE;
        tempsReel.push_back(r->millisecondes);
        memoireReel.push_back(double(r->memoireKo));
        tempsNu.push_back(n->millisecondes);
        memoireNu.push_back(double(n->memoireKo));
        std::printf("%4d  %12.1f %12ld  %12.1f %12ld\n", i, r->millisecondes, r->memoireKo, n->millisecondes,
            n->memoireKo);
        std::fflush(stdout);
    }

    const double mReel = mediane(tempsReel), mNu = mediane(tempsNu);
    const double kReel = mediane(memoireReel), kNu = mediane(memoireNu);
    std::printf("median  %12.1f %12.0f  %12.1f %12.0f\n", mReel, kReel, mNu, kNu);
    const double rapportTemps = mReel / mNu, rapportMemoire = kReel / kNu;
    std::printf("ratio real/bare: time %.2fx, peak memory %.2fx (target: within 1.2x on both: %s)\n", rapportTemps,
        rapportMemoire, rapportTemps <= 1.2 && rapportMemoire <= 1.2 ? "met" : "missed");
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && std::strcmp(argv[1], "--enfant") == 0)
        return enfant(argc, argv, argv[2]);

    int nombre = 15;
    if (argc >= 2) {
        char* fin = nullptr;
        nombre = int(std::strtol(argv[1], &fin, 10));
        if (*fin || nombre < 1) {
            std::fprintf(stderr, "usage: %s [runs]\n", argv[0]);
            return EXIT_FAILURE;
        }
    }
    return parent(nombre);
}
