#include <QTest>

#include <deque>

#include "shell/frontpaneldemo.h"

using namespace orvex;

namespace {

QString bits(const auto& lamps) {
  QString s;
  for (bool on : lamps) s += on ? '1' : '0';
  return s;
}

// Numbers handed out in order; the demonstration asks two per alarm tick.
std::function<double()> sequence(std::deque<double> values) {
  auto queue = std::make_shared<std::deque<double>>(std::move(values));
  return [queue] {
    const double v = queue->front();
    queue->pop_front();
    return v;
  };
}

QString modeState(const FrontPanelDemo& demo) {
  const FrontPanelState& s = demo.state();
  return QStringLiteral("%1 %2 %3 %4 %5 %6")
      .arg(bits(s.modeLamp))
      .arg(int(s.offLamp))
      .arg(s.informationScreenText)
      .arg(bits(s.description), bits(s.pointerPair))
      .arg(demo.modeStep());
}

}  // namespace

class TestFrontPanelDemo : public QObject {
  Q_OBJECT
 private slots:
  void modeTable_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>(
        "state");  // mode lamps, off lamp, screen text, descriptions, pointers, step
    QTest::newRow("0 automatic") << 0 << "10000 0 1 100000 100000 0";
    QTest::newRow("1 generator") << 1 << "01000 0 2 010000 010000 1";
    QTest::newRow("4 blocked") << 4 << "00001 0 5 000010 000010 4";
    QTest::newRow("5 off") << 5 << "00000 1 6 000001 000001 5";
    QTest::newRow("6 automatic again") << 6 << "10000 0 1 100000 100000 0";
  }
  void modeTable() {
    QFETCH(int, ticks);
    FrontPanelDemo demo;
    for (int i = 0; i < ticks; ++i) demo.modeTick();
    QTEST(modeState(demo), "state");
  }
  void sequenceTable_data() {
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("lamps");
    const QList<QPair<int, QString>> rows{{0, "1100001"},  {9, "1100001"},  {10, "0100000"},
                                          {12, "0100000"}, {13, "0000000"}, {16, "0010000"},
                                          {18, "0011000"}, {20, "0011100"}, {29, "0011100"},
                                          {30, "0011110"}, {31, "0000000"}, {33, "1000001"},
                                          {35, "1000001"}, {36, "1100001"}, {72, "1100001"}};
    for (const auto& [second, lamps] : rows) QTest::addRow("second %d", second) << second << lamps;
  }
  void sequenceTable() {
    QFETCH(int, second);
    FrontPanelDemo demo;
    for (int i = 0; i < second; ++i) demo.sequenceTick();
    QTEST(bits(demo.state().sequenceLamp), "lamps");
    QCOMPARE(demo.sequenceSecond(), second % 36);
  }
  void alarmTick_data() {
    QTest::addColumn<double>("lit");
    QTest::addColumn<double>("cleared");
    QTest::addColumn<QString>("alarm");  // lamps, screen text
    QTest::newRow("first lamp, other cleared") << 0.0 << 0.99 << "100000 7";
    QTest::newRow("lit lamp cleared again") << 0.5 << 0.5 << "000000 9";
    QTest::newRow("top of range is lamp 4") << 0.999999 << 0.0 << "000010 11";
    QTest::newRow("a stray 1.0 stays in range") << 1.0 << 0.2 << "000010 11";
  }
  void alarmTick() {
    QFETCH(double, lit);
    QFETCH(double, cleared);
    FrontPanelDemo demo(sequence({lit, cleared}));
    demo.alarmTick();
    QTEST(bits(demo.state().alarmLamp) + " " + QString::number(demo.state().alarmScreenText),
          "alarm");
  }
  void unseededAlarmsRepeatAndNeverLightTheSixthLamp() {
    FrontPanelDemo a, b;
    QSet<int> texts;
    for (int i = 0; i < 1000; ++i) {
      a.alarmTick();
      b.alarmTick();
      QCOMPARE(bits(a.state().alarmLamp), bits(b.state().alarmLamp));
      QVERIFY(!a.state().alarmLamp[5]);
      texts.insert(a.state().alarmScreenText);
    }
    QCOMPARE(texts, (QSet<int>{7, 8, 9, 10, 11}));
  }
};

QTEST_APPLESS_MAIN(TestFrontPanelDemo)
#include "test_frontpaneldemo.moc"
