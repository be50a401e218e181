#include "application.h"
#include "boite_saisie.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

// The box that asks the pupil for a number, on its own: its pad must do what the keyboard does, and
// leave the keyboard, the field and the OK button as they were.

namespace {

// A press and release at the middle of a control, delivered to its window as the mouse's would be.
void cliquer(QWidget* cible)
{
    QWidget* haut = cible->window();
    QTest::mouseClick(haut->windowHandle(), Qt::LeftButton, {}, cible->mapTo(haut, cible->rect().center()));
}

QPushButton* touche(const QDialog& boite, QChar c)
{
    const QString nom = c == QLatin1Char('<') ? QStringLiteral("effacer") : QStringLiteral("touche") + c;
    auto* b = boite.findChild<QPushButton*>(nom);
    if (!b)
        qFatal("no key %s", qPrintable(nom));
    return b;
}

} // namespace

class TestSaisie : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituerPolices();
        preparerApplication(*qApp);
    }

    void thePadEditsTheFieldAsTheSameKeysTypedWould_data();
    void thePadEditsTheFieldAsTheSameKeysTypedWould();
    void thePadLeavesTheFocusInTheFieldAndEnterChoosesOk();
    void everyKeyIsLargeEnoughForAFingerAndNamed();
    void aFingerOnATouchScreenPressesTheKeys();
};

void TestSaisie::thePadEditsTheFieldAsTheSameKeysTypedWould_data()
{
    QTest::addColumn<QString>("propose");
    QTest::addColumn<QString>("touches"); // "<" is the erase key
    QTest::addColumn<QString>("attendu");

    QTest::newRow("the first digit replaces the proposed 0") << "0" << "7" << "7";
    QTest::newRow("the first digit replaces the proposed 1000") << "1000" << "25" << "25";
    QTest::newRow("digits follow one another") << "0" << "1000" << "1000";
    QTest::newRow("erase takes back the last digit") << "0" << "359<0" << "350";
    QTest::newRow("erase first clears the proposed text") << "1000" << "<" << "";
    QTest::newRow("erase on an empty field leaves it empty") << "0" << "<<<" << "";
    QTest::newRow("every digit") << "0" << "1234567890" << "1234567890";
}

void TestSaisie::thePadEditsTheFieldAsTheSameKeysTypedWould()
{
    QFETCH(QString, propose);
    QFETCH(QString, touches);
    QFETCH(QString, attendu);

    // The same presses, once on the pad and once on the keyboard, leave the same text.
    BoiteSaisie pave(QStringLiteral("Combien ?"), QStringLiteral("Essai"), propose);
    pave.show();
    QVERIFY(QTest::qWaitForWindowActive(&pave));
    for (QChar c : touches)
        cliquer(touche(pave, c));
    QCOMPARE(pave.texte(), attendu);
    pave.hide();

    BoiteSaisie clavier(QStringLiteral("Combien ?"), QStringLiteral("Essai"), propose);
    clavier.show();
    QVERIFY(QTest::qWaitForWindowActive(&clavier));
    for (QChar c : touches) {
        if (c == QLatin1Char('<'))
            QTest::keyClick(clavier.windowHandle(), Qt::Key_Backspace);
        else
            QTest::keyClick(clavier.windowHandle(), Qt::Key(Qt::Key_0 + c.digitValue()), {});
    }
    QCOMPARE(clavier.texte(), attendu);
}

void TestSaisie::thePadLeavesTheFocusInTheFieldAndEnterChoosesOk()
{
    BoiteSaisie boite(QStringLiteral("Combien ?"), QStringLiteral("Essai"), QStringLiteral("0"));
    boite.show();
    QVERIFY(QTest::qWaitForWindowActive(&boite));
    auto* champ = boite.findChild<QLineEdit*>();
    QCOMPARE(QApplication::focusWidget(), champ);

    cliquer(touche(boite, QLatin1Char('3')));
    QCOMPARE(QApplication::focusWidget(), champ);
    // Typing goes on where the pad left off, and Enter, delivered to whatever holds the focus, chooses OK.
    QTest::keyClick(boite.windowHandle(), Qt::Key_5);
    cliquer(touche(boite, QLatin1Char('<')));
    QTest::keyClick(boite.windowHandle(), Qt::Key_0);
    QCOMPARE(boite.texte(), QStringLiteral("30"));
    QVERIFY(boite.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isDefault());
    QTest::keyClick(boite.windowHandle(), Qt::Key_Return);
    QCOMPARE(boite.result(), int(QDialog::Accepted));
    QVERIFY(!boite.isVisible());
    QCOMPARE(boite.texte(), QStringLiteral("30"));
}

void TestSaisie::everyKeyIsLargeEnoughForAFingerAndNamed()
{
    BoiteSaisie boite(QStringLiteral("Combien ?"), QStringLiteral("Essai"), QStringLiteral("0"));
    boite.show();
    QVERIFY(QTest::qWaitForWindowExposed(&boite));
    const QRect champ = boite.findChild<QLineEdit*>()->geometry();
    for (QChar c : QStringLiteral("0123456789<")) {
        QPushButton* b = touche(boite, c);
        QVERIFY2(b->isVisible() && b->width() >= 48 && b->height() >= 48, qPrintable(b->objectName()));
        QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
        QVERIFY(!b->geometry().intersects(champ));
    }
}

void TestSaisie::aFingerOnATouchScreenPressesTheKeys()
{
    // A whiteboard sends touches, not mouse clicks.
    BoiteSaisie boite(QStringLiteral("Combien ?"), QStringLiteral("Essai"), QStringLiteral("1000"));
    boite.show();
    QVERIFY(QTest::qWaitForWindowActive(&boite));
    QPointingDevice* ecran = QTest::createTouchDevice();
    for (QChar c : QStringLiteral("42<5")) {
        QPushButton* b = touche(boite, c);
        const QPoint milieu = b->mapTo(&boite, b->rect().center());
        QTest::touchEvent(boite.windowHandle(), ecran).press(0, milieu);
        QTest::touchEvent(boite.windowHandle(), ecran).release(0, milieu);
    }
    QCOMPARE(boite.texte(), QStringLiteral("45"));
    QCOMPARE(QApplication::focusWidget(), boite.findChild<QLineEdit*>());
}

QTEST_MAIN(TestSaisie)
#include "tst_saisie.moc"
