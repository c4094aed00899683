#include <QtTest>

#include "config/limitlabels.h"

using namespace orvex;

class LimitLabelsTest : public QObject {
  Q_OBJECT
 private slots:
  void mainsVoltage_data() {
    QTest::addColumn<int>("rvn");
    QTest::addColumn<int>("rvli");
    QTest::addColumn<int>("rvls");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::newRow("230 V -2 % rounds 225.4 down") << 7 << 1 << 1 << "225V" << "234V";
    QTest::newRow("400 V +15 % lies just below 460") << 10 << 6 << 6 << "340V" << "459V";
    QTest::newRow("100 V +15 %") << 2 << 1 << 6 << "98V" << "114V";
    QTest::newRow("200 V +15 %") << 5 << 1 << 6 << "196V" << "229V";
    QTest::newRow("380 V +15 %") << 9 << 1 << 6 << "372V" << "436V";
    QTest::newRow("63 V -40 % +40 %") << 1 << 11 << 11 << "37V" << "88V";
    QTest::newRow("480 V no alarm both") << 12 << 12 << 12 << "none" << "none";
    QTest::newRow("230 V -10 % no upper") << 7 << 4 << 12 << "207V" << "none";
  }
  void mainsVoltage() {
    QFETCH(int, rvn);
    QFETCH(int, rvli);
    QFETCH(int, rvls);
    const LimitLabels labels = mainsLimitLabels({rvn, rvli, rvls, 1, 1}, "none");
    QTEST(labels.lowerVoltage, "lower");
    QTEST(labels.upperVoltage, "upper");
  }
  void mainsFrequency_data() {
    QTest::addColumn<int>("rfn");
    QTest::addColumn<int>("rfl");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::newRow("50 Hz 0.5 %") << 1 << 1 << "49.75Hz" << "50.25Hz";
    QTest::newRow("50 Hz 0.7 %") << 1 << 2 << "49.65Hz" << "50.35Hz";
    QTest::newRow("60 Hz 1 %") << 2 << 3 << "59.4Hz" << "60.6Hz";
    QTest::newRow("400 Hz 1.5 % not rounded") << 3 << 4 << "394Hz" << "406Hz";
    QTest::newRow("60 Hz 1.5 %") << 2 << 4 << "59.1Hz" << "60.9Hz";
    QTest::newRow("no alarm") << 1 << 6 << "none" << "none";
  }
  void mainsFrequency() {
    QFETCH(int, rfn);
    QFETCH(int, rfl);
    const LimitLabels labels = mainsLimitLabels({7, 1, 1, rfn, rfl}, "none");
    QTEST(labels.lowerFrequency, "lower");
    QTEST(labels.upperFrequency, "upper");
  }
  void alternator_data() {
    QTest::addColumn<int>("volts");
    QTest::addColumn<int>("hertz");
    QTest::addColumn<int>("avli");
    QTest::addColumn<int>("avls");
    QTest::addColumn<int>("afl");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("60 Hz 8.3 % whole hertz") << 230 << 60 << 1 << 1 << 6
                                             << QStringList{"225V", "234V", "55Hz", "65Hz"};
    QTest::newRow("50 Hz 8.3 % rounded down") << 230 << 50 << 5 << 5 << 6
                                              << QStringList{"195V", "264V", "45Hz", "54Hz"};
    QTest::newRow("50 Hz 7.5 % keeps decimals") << 400 << 50 << 8 << 8 << 5
                                                << QStringList{"240V", "560V", "46.25Hz", "53.75Hz"};
    QTest::newRow("400 V +15 % alternator") << 400 << 400 << 6 << 5 << 8
                                            << QStringList{"320V", "459V", "340Hz", "460Hz"};
    QTest::newRow("no alarm everywhere") << 230 << 50 << 9 << 9 << 9
                                         << QStringList{"-", "-", "-", "-"};
  }
  void alternator() {
    QFETCH(int, volts);
    QFETCH(int, hertz);
    QFETCH(int, avli);
    QFETCH(int, avls);
    QFETCH(int, afl);
    QFETCH(QStringList, labels);
    const LimitLabels got = alternatorLimitLabels(volts, hertz, {avli, avls, afl}, "-");
    QCOMPARE((QStringList{got.lowerVoltage, got.upperVoltage, got.lowerFrequency,
                          got.upperFrequency}),
             labels);
  }
  void nominalTexts() {
    QCOMPARE(nominalVoltageText(1), QString("63V"));
    QCOMPARE(nominalVoltageText(12), QString("480V"));
    QCOMPARE(nominalFrequencyText(3), QString("400Hz"));
    QCOMPARE(nominalVoltage(0), 0);
    QCOMPARE(nominalFrequency(4), 0);
  }
  void formatNumber_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("binary error hidden at 15 digits") << 50 * 0.995 << "49.75";
    QTest::newRow("whole number") << 55.0 << "55";
    QTest::newRow("no trailing zeros") << 60.6 << "60.6";
    QTest::newRow("large whole number, no separator") << 123456789.0 << "123456789";
    QTest::newRow("small fraction") << 0.125 << "0.125";
  }
  void formatNumber() {
    QFETCH(double, value);
    QTEST(orvex::formatNumber(value), "text");
    QCOMPARE(orvex::formatNumber(49.75, ','), QString("49,75"));
  }
};

QTEST_APPLESS_MAIN(LimitLabelsTest)
#include "test_limitlabels.moc"
