#include "hasard.h"

#include <QTest>

#include <set>
#include <thread>
#include <vector>

// The real generator, as the program uses it: its draws stay in [0, 1) and spread over it, and a
// reseeding at each start gives another sequence, so that the pupil does not meet the same package
// again at every start.

namespace {

std::vector<double> tirages(HasardSysteme& hasard, int nombre)
{
    std::vector<double> r;
    for (int k = 0; k < nombre; ++k)
        r.push_back(hasard.tirer());
    return r;
}

} // namespace

class TestHasard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsStayBelowOneAndSpreadOverTheInterval();
    void eachReseedingStartsAnotherSequence();
    void successiveStartsDrawDifferentPackages();
};

void TestHasard::drawsStayBelowOneAndSpreadOverTheInterval()
{
    HasardSysteme hasard;
    hasard.reamorcer();
    constexpr int nombre = 1'000'000;
    std::vector<int> dixiemes(10, 0);
    for (double r : tirages(hasard, nombre)) {
        QVERIFY2(r >= 0.0 && r < 1.0, qPrintable(QString::number(r, 'g', 17)));
        ++dixiemes[std::size_t(r * 10)];
    }
    // Each tenth of the interval holds about a tenth of the draws (a uniform generator is off by far
    // less than 2 % here).
    for (int n : dixiemes)
        QVERIFY2(std::abs(n - nombre / 10) < nombre / 500, qPrintable(QString::number(n)));
}

void TestHasard::eachReseedingStartsAnotherSequence()
{
    HasardSysteme premier;
    HasardSysteme second;
    premier.reamorcer();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    second.reamorcer();
    QVERIFY(tirages(premier, 8) != tirages(second, 8));

    // The same generator, reseeded later, does not start its old sequence again.
    premier.reamorcer();
    const std::vector<double> avant = tirages(premier, 8);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    premier.reamorcer();
    QVERIFY(tirages(premier, 8) != avant);
}

void TestHasard::successiveStartsDrawDifferentPackages()
{
    // As a start does: reseed, then draw a package of 1 to 1000 g.
    HasardSysteme hasard;
    std::set<int> paquets;
    for (int depart = 0; depart < 20; ++depart) {
        hasard.reamorcer();
        paquets.insert(int(hasard.tirer() * 1000) + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    // Twenty starts under a constant seed would all draw one package.
    QVERIFY2(paquets.size() >= 10, qPrintable(QString::number(paquets.size())));
}

QTEST_APPLESS_MAIN(TestHasard)
#include "tst_hasard.moc"
