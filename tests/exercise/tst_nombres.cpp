#include "nombres.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestNombres : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lecture_data();
    void lecture();
    void formes_data();
    void formes();
    void duree_data();
    void duree();
};

namespace {

const double infini = std::numeric_limits<double>::infinity();

QString repete(const QString& motif, int fois)
{
    return motif.repeated(fois);
}

} // namespace

void TestNombres::lecture_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<double>("attendu");

    // What the pupil types in the two prompts.
    QTest::newRow("whole number") << "350" << 350.0;
    QTest::newRow("unit after the number") << "350 g" << 350.0;
    QTest::newRow("comma ends the number") << "350,5" << 350.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("leading zero") << "0350" << 350.0;
    QTest::newRow("point and zero") << "350.0" << 350.0;
    QTest::newRow("exponent gives exact whole") << "3.5E2" << 350.0;
    QTest::newRow("upper bound") << "1000" << 1000.0;
    QTest::newRow("lower bound") << "2" << 2.0;
    QTest::newRow("one") << "1" << 1.0;
    QTest::newRow("above the bound") << "1001" << 1001.0;
    QTest::newRow("letters after digits") << "12abc" << 12.0;
    QTest::newRow("decimal point") << "2.5" << 2.5;
    QTest::newRow("decimal comma") << "2,5" << 2.0;
    QTest::newRow("one comma five") << "1,5" << 1.0;
    QTest::newRow("point then comma") << "1.5,25" << 1.5;
    QTest::newRow("two points") << "1.2.3" << 1.2;
    QTest::newRow("nearest double to a tenth") << "0.1" << 0.1;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("zeros after the point") << "0.000125" << 0.000125;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << 0.0;

    // Blanks are skipped wherever they stand.
    QTest::newRow("blanks before and between digits") << "  5 0 0" << 500.0;
    QTest::newRow("tab and line feed between digits") << "\t5\n0\t0\n" << 500.0;
    // A pasted text brings its line ends into the box: CR LF from a Windows document.
    QTest::newRow("carriage return and line feed") << "\r\n42\r\n" << 42.0;
    QTest::newRow("carriage return between digits") << "1\r2" << 12.0;
    QTest::newRow("blanks around the exponent") << "1 e 3" << 1000.0;
    QTest::newRow("blanks after the sign") << "- 7 . 5" << -7.5;
    QTest::newRow("non-breaking space ends the number") << QStringLiteral(u"5\u00A00") << 5.0;

    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("minus sign") << "-5" << -5.0;
    QTest::newRow("minus before point") << "-.25" << -0.25;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("plus then minus") << "+-5" << 0.0;
    QTest::newRow("sign after digits ends the number") << "5-3" << 5.0;

    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("negative exponent") << "25E-2" << 0.25;
    QTest::newRow("signed exponent") << "1e+2" << 100.0;
    QTest::newRow("letter without digits") << "1E" << 1.0;
    QTest::newRow("letter and sign without digits") << "1e+" << 1.0;
    QTest::newRow("letter then text") << "7ex" << 7.0;
    QTest::newRow("exponent without mantissa") << "e5" << 0.0;
    QTest::newRow("point then exponent") << ".e5" << 0.0;
    QTest::newRow("point in the exponent ends it") << "1e3.5" << 1000.0;
    QTest::newRow("zero with a huge exponent") << "0e999999999999" << 0.0;

    // Rounding where a few digits either way decide it.
    QTest::newRow("halfway rounds to even") << "9007199254740993" << 9007199254740992.0;
    QTest::newRow("above halfway rounds up")
        << "9007199254740993." + repete("0", 1000) + "1" << 9007199254740994.0;
    QTest::newRow("below halfway rounds down")
        << "9007199254740992." + repete("9", 1000) << 9007199254740992.0;
    QTest::newRow("largest double") << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("smallest subnormal") << "5e-324" << std::numeric_limits<double>::denorm_min();
    QTest::newRow("smallest normal") << "2.2250738585072014e-308" << std::numeric_limits<double>::min();

    // Out of the range of a double.
    QTest::newRow("huge exponent") << "1e999999999999" << infini;
    QTest::newRow("huge exponent negative") << "-1e999999999999" << -infini;
    QTest::newRow("huge negative exponent") << "1e-999999999999" << 0.0;
    QTest::newRow("exponent beyond 64 bits") << "1e99999999999999999999999999999" << infini;
    QTest::newRow("negative exponent beyond 64 bits") << "1e-99999999999999999999999999999" << 0.0;
    QTest::newRow("just past the largest") << "1.8e308" << infini;
    QTest::newRow("exponent 400") << "1e400" << infini;
    QTest::newRow("below the smallest subnormal") << "1e-330" << 0.0;
    QTest::newRow("exponent -400") << "1e-400" << 0.0;
    QTest::newRow("zeros then a digit brought back into range")
        << "0." + repete("0", 5000) + "25e5003" << 250.0;
    QTest::newRow("long mantissa brought back into range")
        << "4" + repete("0", 5000) + "e-5000" << 4.0;

    // A million characters.
    QTest::newRow("million digits") << "1" + repete("0", 999999) + "e-999999" << 1.0;
    QTest::newRow("million nines") << repete("9", 1000000) << infini;
    QTest::newRow("million leading zeros") << repete("0", 1000000) + "8" << 8.0;
    QTest::newRow("million blanks") << repete(" ", 1000000) + "6" << 6.0;
    QTest::newRow("million blanks and digits") << "3" + repete(" 0", 500000) + "e-500000" << 3.0;
    QTest::newRow("million characters after the number") << "12" + repete("x", 1000000) << 12.0;
}

void TestNombres::lecture()
{
    QFETCH(QString, texte);
    QFETCH(double, attendu);

    const double lu = lireNombre(texte);
    // Exact: a fuzzy comparison would let a wrongly rounded last bit through.
    QVERIFY2(lu == attendu,
             qPrintable(QStringLiteral("read %1, expected %2")
                            .arg(QString::number(lu, 'g', 17), QString::number(attendu, 'g', 17))));
}

void TestNombres::formes_data()
{
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("simple");
    QTest::addColumn<QString>("signee");

    const QLocale fr(QLocale::French, QLocale::France);
    const QLocale en(QLocale::English, QLocale::UnitedStates);

    QTest::newRow("fr zero") << 0.0 << fr << "0" << " 0";
    QTest::newRow("fr negative zero") << -0.0 << fr << "0" << " 0";
    QTest::newRow("fr whole") << 12.0 << fr << "12" << " 12";
    QTest::newRow("fr thousand without group separator") << 1000.0 << fr << "1000" << " 1000";
    QTest::newRow("fr weight") << 500.0 << fr << "500" << " 500";
    QTest::newRow("fr fraction") << 2.5 << fr << "2,5" << " 2,5";
    QTest::newRow("fr yield") << 8.57 << fr << "8,57" << " 8,57";
    QTest::newRow("fr below one") << 0.5 << fr << "0,5" << " 0,5";
    QTest::newRow("fr sum rounded to 15 digits") << 0.1 + 0.2 << fr << "0,3" << " 0,3";
    QTest::newRow("fr third") << 1.0 / 3.0 << fr << "0,333333333333333" << " 0,333333333333333";
    QTest::newRow("fr negative") << -5.0 << fr << "-5" << "-5";
    QTest::newRow("fr negative fraction") << -0.25 << fr << "-0,25" << "-0,25";
    QTest::newRow("fr grouping would apply") << 1234.5 << fr << "1234,5" << " 1234,5";
    QTest::newRow("fr fifteen digits in full") << 123456789012345.0 << fr << "123456789012345"
                                               << " 123456789012345";

    QTest::newRow("en zero") << 0.0 << en << "0" << " 0";
    QTest::newRow("en fraction") << 2.5 << en << "2.5" << " 2.5";
    QTest::newRow("en yield") << 8.57 << en << "8.57" << " 8.57";
    QTest::newRow("en grouping would apply") << 1234.5 << en << "1234.5" << " 1234.5";
    QTest::newRow("en negative fraction") << -0.25 << en << "-0.25" << "-0.25";
    QTest::newRow("en sum rounded to 15 digits") << 0.1 + 0.2 << en << "0.3" << " 0.3";

    // Its own minus sign is U+2212; the leading sign stays "-".
    QTest::newRow("sv negative fraction") << -2.5 << QLocale(QLocale::Swedish, QLocale::Sweden) << "-2,5"
                                          << "-2,5";
}

void TestNombres::formes()
{
    QFETCH(double, valeur);
    QFETCH(QLocale, locale);
    QFETCH(QString, simple);
    QFETCH(QString, signee);

    QCOMPARE(formeSimple(valeur, locale), simple);
    QCOMPARE(formeSignee(valeur, locale), signee);
}

void TestNombres::duree_data()
{
    QTest::addColumn<qint64>("secondes");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("attendu");

    const QLocale fr(QLocale::French, QLocale::France);
    const QLocale en(QLocale::English, QLocale::UnitedStates);

    QTest::newRow("fr start") << qint64(0) << fr << "00:00:00";
    QTest::newRow("fr first tick") << qint64(1) << fr << "00:00:01";
    QTest::newRow("fr last second of the first hour") << qint64(59 * 60 + 59) << fr << "00:59:59";
    QTest::newRow("fr one hour") << qint64(3600) << fr << "01:00:00";
    QTest::newRow("fr last second of the day") << qint64(86399) << fr << "23:59:59";
    QTest::newRow("fr one day dropped") << qint64(86400) << fr << "00:00:00";
    QTest::newRow("fr 25 h 3 min 4 s") << qint64(25 * 3600 + 3 * 60 + 4) << fr << "01:03:04";
    QTest::newRow("fr negative") << qint64(-1) << fr << "00:00:00";
    QTest::newRow("fr most negative") << std::numeric_limits<qint64>::min() << fr << "00:00:00";
    QTest::newRow("fr largest") << std::numeric_limits<qint64>::max() << fr << "15:30:07";
    QTest::newRow("en 25 h 3 min 4 s") << qint64(25 * 3600 + 3 * 60 + 4) << en << "01:03:04";
    QTest::newRow("en afternoon hours stay 24-hour") << qint64(13 * 3600 + 5) << en << "13:00:05";

    // Separators other than ':' come from the locale's own time format.
    QTest::newRow("fi point separator") << qint64(3661) << QLocale(QLocale::Finnish, QLocale::Finland)
                                        << "01.01.01";
    QTest::newRow("fr-CA quoted hour word falls back to colon")
        << qint64(3661) << QLocale(QLocale::French, QLocale::Canada) << "01:01:01";
}

void TestNombres::duree()
{
    QFETCH(qint64, secondes);
    QFETCH(QLocale, locale);
    QFETCH(QString, attendu);

    QCOMPARE(formeDuree(secondes, locale), attendu);
}

QTEST_GUILESS_MAIN(TestNombres)
#include "tst_nombres.moc"
