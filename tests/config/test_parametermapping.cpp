#include <QtTest>

#include "config/editortable.h"
#include "config/factoryset.h"
#include "config/parametermapping.h"
#include "fakecontrols.h"

using namespace orvex;
using test::FakeControls;

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
    ParameterSet editada;
    editada[0] = 5;
    editada[45] = 1;
    editada[46] = 9;
    editada[47] = -3;
    editada[64] = 6;
    collectParameterSet(controls, &editada);
    QCOMPARE(editada[45], qint16(1));
    QCOMPARE(editada[46] | editada[47], 0);
    QCOMPARE(editada[0] + editada[64], 11);  // outside the data slots: untouched
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
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::newRow("1000") << "1000" << 3 << 232;
    QTest::newRow("65535") << "65535" << 255 << 255;
    QTest::newRow("letters only") << "abc" << 0 << 0;
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("leading number") << " 12abc" << 0 << 12;
    QTest::newRow("half to even down") << "2.5" << 0 << 2;
    QTest::newRow("half to even up") << "3.5" << 0 << 4;
    QTest::newRow("negative kept at 0") << "-5" << 0 << 0;
    QTest::newRow("too large kept at 65535") << "70000" << 255 << 255;
    QTest::newRow("exponent") << "1e3" << 3 << 232;
  }
  void collectBytePair() {
    QFETCH(QString, text);
    FakeControls controls;
    showParameterSet(factoryParameterSet(), controls);
    controls.texts["MCAPUVAL"] = text;
    ParameterSet set;
    collectParameterSet(controls, &set);
    QTEST(int(set[54]), "high");
    QTEST(int(set[55]), "low");
  }
  // The editor's round trip checks collecting against showing; these fix what each code means.
  void showActionCode_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("ticked");
    QTest::newRow("1") << 1 << "PI";
    QTest::newRow("2") << 2 << "SIR";
    QTest::newRow("3") << 3 << "PI SIR";
    QTest::newRow("4") << 4 << "PT";
    QTest::newRow("5") << 5 << "PT SIR";
    QTest::newRow("6") << 6 << "";
  }
  void showActionCode() {
    QFETCH(int, code);
    QFETCH(QString, ticked);
    ParameterSet set = factoryParameterSet();
    set[36] = static_cast<qint16>(code);
    FakeControls controls;
    controls.boxes = {{"ALARTEM_PI", true}, {"ALARTEM_PT", true}, {"ALARTEM_SIR", true}};
    showParameterSet(set, controls);
    for (const QString action : {"PI", "PT", "SIR"})
      QCOMPARE(controls.boxes.value("ALARTEM_" + action), ticked.split(' ').contains(action));
  }
  void actionCodeOutsideTableLeavesBoxes() {
    for (const qint16 code : {qint16(0), qint16(7), qint16(-1)}) {
      ParameterSet set = factoryParameterSet();
      set[32] = code;
      FakeControls controls;
      controls.boxes = {{"ALARFUE_PI", true}, {"ALARFUE_PT", false}, {"ALARFUE_SIR", true}};
      QCOMPARE(showParameterSet(set, controls), QList<int>{32});
      QVERIFY(!controls.log.contains("ALARFUE_PI"));
      QCOMPARE(controls.boxes.value("ALARFUE_SIR"), true);
    }
  }
  void collectConflictingActions_data() {
    QTest::addColumn<bool>("sir");
    QTest::addColumn<int>("code");
    QTest::newRow("PI PT: timed stop wins") << false << 4;
    QTest::newRow("all three: later test wins") << true << 5;
  }
  void collectConflictingActions() {
    QFETCH(bool, sir);
    FakeControls controls;
    showParameterSet(factoryParameterSet(), controls);
    controls.boxes["ALAROVE_PI"] = controls.boxes["ALAROVE_PT"] = true;
    controls.boxes["ALAROVE_SIR"] = sir;
    ParameterSet set;
    set[40] = 1;
    collectParameterSet(controls, &set);
    QTEST(int(set[40]), "code");
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
    QCOMPARE(collected[13], qint16(1));
    QCOMPARE(collected[21], qint16(2));
  }
  void optionOutsideGroupIsReported_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << 1 << 0;
    QTest::newRow("negative") << 4 << -1;
    QTest::newRow("one too many") << 5 << 7;
    QTest::newRow("combination") << 14 << 3;
  }
  void optionOutsideGroupIsReported() {
    QFETCH(int, slot);
    QFETCH(int, value);
    FakeControls controls;
    showParameterSet(factoryParameterSet(), controls);
    const MappingStep* step = nullptr;
    for (const MappingStep& s : mappingSteps())
      if (s.slot == slot) step = &s;
    QVERIFY(step);
    const int before = controls.options.value(step->control);
    ParameterSet set = factoryParameterSet();
    set[slot] = static_cast<qint16>(value);
    set[63] = 300;  // a byte outside 0..255 cannot be shown either
    QCOMPARE(showParameterSet(set, controls), (QList<int>{slot, 63}));
    QCOMPARE(controls.options.value(step->control), before);
  }
  void factorySetIsFullyShowable() {
    FakeControls controls;
    const ParameterSet factory = factoryParameterSet();
    QVERIFY(showParameterSet(factory, controls).isEmpty());
    int engineSignals = 0;
    for (const int flag : {15, 19, 21}) engineSignals += factory[flag] == 1;
    QVERIFY(engineSignals <= 1);  // D+, W and pick-up exclude each other
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
