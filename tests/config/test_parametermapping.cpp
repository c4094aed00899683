#include <QtTest>

#include "config/editortable.h"
#include "config/factoryset.h"
#include "config/parametermapping.h"
#include "fakecontrols.h"

using namespace orvex;
using test::FakeControls;

namespace {

QString ticked(const FakeControls& controls, const QString& input) {
  QStringList on;
  for (const QString action : {"PI", "PT", "SIR"})
    if (controls.boxes.value(input + "_" + action)) on << action;
  return on.join(' ');
}

}  // namespace

class ParameterMappingTest : public QObject {
  Q_OBJECT
 private slots:
  void everyDataSlotHasOneStep() {
    QMap<int, int> seen;
    for (const MappingStep& step : mappingSteps()) {
      ++seen[step.slot];
      if (step.kind == ControlKind::NumberBox) ++seen[step.slot + 1];
    }
    for (int k = kFirstSlot; k <= kLastSlot; ++k)
      QCOMPARE(seen.value(k), (k >= 45 && k <= 47) ? 0 : 1);
  }
  void collectLeavesModelAndZeroesReserved() {
    FakeControls controls;
    showParameterSet(factoryParameterSet(), controls);
    ParameterSet e;
    std::tie(e[0], e[45], e[46], e[47], e[64]) = std::tuple(5, 1, 9, -3, 6);
    collectParameterSet(controls, &e);
    // The model code kept, the reserved slots zeroed, 0 and 64 (outside the data) untouched.
    QCOMPARE(QList<qint16>({e[0], e[45], e[46], e[47], e[64]}), QList<qint16>({5, 1, 0, 0, 6}));
  }
  void showOrderFlagNumberBoxCombination() {
    FakeControls controls;
    showParameterSet(factoryParameterSet(), controls);
    const QStringList& log = controls.log;
    for (const auto& [a, b] : std::initializer_list<std::pair<const char*, const char*>>{
             {"RVN", "RVLI"}, {"MCABD", "MCABDVAL"}, {"MCABDVAL", "MCABDMOD"},
             {"MCAPUVAL", "MCAIVVAL"}, {"MCAIVVAL", "MCAPUMOD"}, {"ALARFUE_SIR", "ALAROIL"},
             {"TSIROFF", "TESCON"}})
      QVERIFY2(log.indexOf(a) >= 0 && log.indexOf(a) < log.indexOf(b), a);
    QCOMPARE(log.last(), QString("VBAT"));
  }
  void collectBytePair_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bytes");  // high low
    QTest::newRow("1000") << "1000" << "3 232";
    QTest::newRow("65535") << "65535" << "255 255";
    QTest::newRow("letters only") << "abc" << "0 0";
    QTest::newRow("empty") << "" << "0 0";
    QTest::newRow("leading number") << " 12abc" << "0 12";
    QTest::newRow("half to even down") << "2.5" << "0 2";
    QTest::newRow("half to even up") << "3.5" << "0 4";
    QTest::newRow("negative kept at 0") << "-5" << "0 0";
    QTest::newRow("too large kept at 65535") << "70000" << "255 255";
    QTest::newRow("exponent") << "1e3" << "3 232";
  }
  void collectBytePair() {
    QFETCH(QString, text);
    FakeControls controls;
    showParameterSet(factoryParameterSet(), controls);
    controls.texts["MCAPUVAL"] = text;
    ParameterSet set;
    collectParameterSet(controls, &set);
    QTEST(QStringLiteral("%1 %2").arg(set[54]).arg(set[55]), "bytes");
  }
  // The editor's round trip checks collecting against showing; this fixes what each code means.
  void showActionCode() {
    const QStringList meaning = {"PI", "SIR", "PI SIR", "PT", "PT SIR", ""};  // codes 1..6
    for (int code = 1; code <= 6; ++code) {
      ParameterSet set = factoryParameterSet();
      set[36] = static_cast<qint16>(code);
      FakeControls controls;
      controls.boxes = {{"ALARTEM_PI", true}, {"ALARTEM_PT", true}, {"ALARTEM_SIR", true}};
      showParameterSet(set, controls);
      QCOMPARE(ticked(controls, "ALARTEM"), meaning[code - 1]);
    }
  }
  void actionCodeOutsideTableLeavesBoxes() {
    for (const qint16 code : {qint16(0), qint16(7), qint16(-1)}) {
      ParameterSet set = factoryParameterSet();
      set[32] = code;
      FakeControls controls;
      controls.boxes = {{"ALARFUE_PI", true}, {"ALARFUE_PT", false}, {"ALARFUE_SIR", true}};
      QCOMPARE(showParameterSet(set, controls), QList<int>{32});
      QVERIFY(!controls.log.contains("ALARFUE_PI") && ticked(controls, "ALARFUE") == "PI SIR");
    }
  }
  // PI with PT: the timed stop wins; all three: the later test wins.
  void collectConflictingActions() {
    for (const bool sir : {false, true}) {
      FakeControls controls;
      showParameterSet(factoryParameterSet(), controls);
      controls.boxes["ALAROVE_PI"] = controls.boxes["ALAROVE_PT"] = true;
      controls.boxes["ALAROVE_SIR"] = sir;
      ParameterSet set;
      set[40] = 1;
      collectParameterSet(controls, &set);
      QCOMPARE(set[40], qint16(sir ? 5 : 4));
    }
  }
  void flagOutsideOneTwoLeavesBox() {
    ParameterSet set = factoryParameterSet();
    set[13] = 0;
    set[21] = 3;
    FakeControls controls;
    controls.boxes = {{"MCAPA", true}, {"MCAPU", false}};
    QCOMPARE(showParameterSet(set, controls), (QList<int>{13, 21}));
    ParameterSet collected;
    collectParameterSet(controls, &collected);
    QCOMPARE(QList<qint16>({collected[13], collected[21]}), QList<qint16>({1, 2}));
  }
  // Zero, negative, one too many, a combination of 3; a byte outside 0..255 cannot be shown either.
  void optionOutsideGroupIsReported() {
    for (const auto& [slot, value] : {std::pair{1, 0}, {4, -1}, {5, 7}, {14, 3}}) {
      FakeControls controls;
      showParameterSet(factoryParameterSet(), controls);
      const MappingStep* step = nullptr;
      for (const MappingStep& s : mappingSteps())
        if (s.slot == slot) step = &s;
      QVERIFY(step);
      const int before = controls.options.value(step->control);
      ParameterSet set = factoryParameterSet();
      set[slot] = static_cast<qint16>(value);
      set[63] = 300;
      QCOMPARE(showParameterSet(set, controls), (QList<int>{slot, 63}));
      QCOMPARE(controls.options.value(step->control), before);
    }
  }
  void factorySetIsFullyShowable() {
    FakeControls controls;
    const ParameterSet factory = factoryParameterSet();
    QVERIFY(showParameterSet(factory, controls).isEmpty());
    QVERIFY((factory[15] == 1) + (factory[19] == 1) + (factory[21] == 1) <= 1);  // D+, W, pick-up exclusive
  }
  void captionsMatchGroupSizes() {
    for (const MappingStep& step : mappingSteps()) {
      if (step.kind != ControlKind::OptionGroup) continue;
      const QStringList captions = optionCaptions(step.slot);
      QCOMPARE(captions.size(), optionCount(step));
      for (const QString& caption : captions) QVERIFY2(!caption.isEmpty(), step.control);
    }
    QCOMPARE(optionCaptions(5).at(0), QString::fromUtf8("\u00B10.5 %"));
  }
};

QTEST_APPLESS_MAIN(ParameterMappingTest)
#include "test_parametermapping.moc"
