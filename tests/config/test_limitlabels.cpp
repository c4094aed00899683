#include <QtTest>

#include "config/limitlabels.h"

using namespace orvex;

// The mains voltage limits across the nominal voltages and bands, and the number format.
// How each label follows its options, frequencies included, is tested on the editor
// (test_editorreactions).
class LimitLabelsTest : public QObject {
  Q_OBJECT
 private slots:
  void mainsVoltage_data() {
    QTest::addColumn<QList<int>>("options");  // RVN, RVLI, RVLS
    QTest::addColumn<QString>("labels");      // lower upper
    QTest::newRow("230 V -2 % rounds 225.4 down") << QList<int>{7, 1, 1} << "225V 234V";
    QTest::newRow("400 V +15 % lies just below 460") << QList<int>{10, 6, 6} << "340V 459V";
    QTest::newRow("63 V -40 % +40 %") << QList<int>{1, 11, 11} << "37V 88V";
    QTest::newRow("480 V no alarm both") << QList<int>{12, 12, 12} << "none none";
  }
  void mainsVoltage() {
    QFETCH(QList<int>, options);
    const LimitLabels got = mainsLimitLabels({options[0], options[1], options[2], 1, 1}, "none");
    QTEST(got.lowerVoltage + " " + got.upperVoltage, "labels");
  }
  // Binary error hidden at 15 digits, no trailing zeros, no group separator.
  void formatNumber() {
    QStringList texts;
    for (const double value : {50 * 0.995, 55.0, 60.6, 123456789.0, 0.125})
      texts << orvex::formatNumber(value);
    QCOMPARE(texts, (QStringList{"49.75", "55", "60.6", "123456789", "0.125"}));
    QCOMPARE(orvex::formatNumber(49.75, ','), QString("49,75"));
  }
};

QTEST_APPLESS_MAIN(LimitLabelsTest)
#include "test_limitlabels.moc"
