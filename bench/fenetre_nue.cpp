// A bare main window, built the way the program is, to set its start-up beside: the same size, a menu bar, and
// nothing else. scripts/windows.sh --tests times both under Wine, from the launch to the window mapped.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Fenêtre nue"));
    fenetre.menuBar()->addMenu(QStringLiteral("&Menu "));
    auto* centre = new QWidget;
    centre->setFixedSize(588, 502);
    fenetre.setCentralWidget(centre);
    fenetre.show();
    return application.exec();
}
