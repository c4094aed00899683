#include <QRandomGenerator>
#include <QtTest>

#include "config/editortable.h"
#include "config/factoryset.h"
#include "config/parametermapping.h"
#include "fakecontrols.h"

using namespace orvex;
using test::FakeControls;

namespace {

// A set every slot of which the editor can show; byte pairs over their whole range.
ParameterSet randomValidSet(QRandomGenerator& rng) {
  ParameterSet set;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) {
    const SlotInfo& info = slotInfo(k);
    switch (info.encoding) {
      case Encoding::BytePairHigh: case Encoding::BytePairLow:
        set[k] = static_cast<qint16>(rng.bounded(256));
        break;
      case Encoding::Model: case Encoding::Reserved:
        set[k] = static_cast<qint16>(rng.bounded(-5, 6));
        break;
      default:
        set[k] = static_cast<qint16>(1 + rng.bounded(info.options));
    }
  }
  return set;
}

}  // namespace

class ParameterMappingTest : public QObject {
  Q_OBJECT
 private slots:
  void everyDataSlotHasOneStep();
  void showThenCollectRoundTrips();
  void collectLeavesModelAndZeroesReserved();
  void showOrderFlagNumberBoxCombination();
  void showBytePair_data();
  void showBytePair();
  void collectBytePair_data();
  void collectBytePair();
  void showActionCode_data();
  void showActionCode();
  void actionCodeOutsideTableLeavesBoxes();
  void collectActionCode_data();
  void collectActionCode();
  void flagOutsideOneTwoLeavesBox();
  void optionOutsideGroupIsReported_data();
  void optionOutsideGroupIsReported();
  void factorySetIsFullyShowable();
  void captionsMatchGroupSizes();
};

void ParameterMappingTest::everyDataSlotHasOneStep() {
  QMap<int, int> seen;
  for (const MappingStep& step : mappingSteps()) {
    ++seen[step.slot];
    if (step.kind == ControlKind::NumberBox) ++seen[step.slot + 1];
  }
  for (int k = kFirstSlot; k <= kLastSlot; ++k)
    QCOMPARE(seen.value(k), (k >= 45 && k <= 47) ? 0 : 1);
}

void ParameterMappingTest::showThenCollectRoundTrips() {
  QRandomGenerator rng(20261206);
  for (int round = 0; round < 500; ++round) {
    const ParameterSet shown = randomValidSet(rng);
    FakeControls controls;
    QVERIFY(showParameterSet(shown, controls).isEmpty());
    ParameterSet collected;
    collected[45] = 77;
    collectParameterSet(controls, &collected);
    for (int k = kFirstSlot; k <= kLastSlot; ++k) {
      const qint16 expected = k == 45 ? 77 : (k == 46 || k == 47) ? 0 : shown[k];
      QCOMPARE(collected[k], expected);
    }
  }
}

void ParameterMappingTest::collectLeavesModelAndZeroesReserved() {
  FakeControls controls;
  showParameterSet(factoryParameterSet(), controls);
  ParameterSet editada;
  editada[45] = 1;
  editada[46] = 9;
  editada[47] = -3;
  editada[0] = 5;
  editada[64] = 6;
  collectParameterSet(controls, &editada);
  QCOMPARE(editada[45], qint16(1));
  QCOMPARE(editada[46], qint16(0));
  QCOMPARE(editada[47], qint16(0));
  QCOMPARE(editada[0], qint16(5));
  QCOMPARE(editada[64], qint16(6));
}

void ParameterMappingTest::showOrderFlagNumberBoxCombination() {
  FakeControls controls;
  showParameterSet(factoryParameterSet(), controls);
  const QStringList& log = controls.log;
  const auto before = [&log](const char* a, const char* b) {
    return log.indexOf(a) >= 0 && log.indexOf(a) < log.indexOf(b);
  };
  QVERIFY(before("RVN", "RVLI"));
  QVERIFY(before("MIAM", "MCAPA"));
  QVERIFY(before("MCAPA", "MCAPAMOD"));
  QVERIFY(before("MCABD", "MCABDVAL"));
  QVERIFY(before("MCABDVAL", "MCABDMOD"));
  QVERIFY(before("MCAPU", "MCAPUVAL"));
  QVERIFY(before("MCAPUVAL", "MCAIVVAL"));
  QVERIFY(before("MCAIVVAL", "MCAPUMOD"));
  QVERIFY(before("MCAPUMOD", "TRR"));
  QVERIFY(before("ALARFUE", "ALARFUE_PI"));
  QVERIFY(before("ALARFUE_SIR", "ALAROIL"));
  QVERIFY(before("TSIRON", "TIPSIR"));
  QVERIFY(before("TSIROFF", "TESCON"));
  QCOMPARE(log.last(), QString("VBAT"));
}

void ParameterMappingTest::showBytePair_data() {
  QTest::addColumn<int>("high");
  QTest::addColumn<int>("low");
  QTest::addColumn<QString>("text");
  QTest::newRow("0x01 0xF4") << 0x01 << 0xF4 << "500";
  QTest::newRow("0x00 0x05") << 0 << 5 << "5";
  QTest::newRow("zero") << 0 << 0 << "0";
  QTest::newRow("largest") << 255 << 255 << "65535";
}

void ParameterMappingTest::showBytePair() {
  QFETCH(int, high);
  QFETCH(int, low);
  ParameterSet set = factoryParameterSet();
  set[62] = static_cast<qint16>(high);
  set[63] = static_cast<qint16>(low);
  FakeControls controls;
  showParameterSet(set, controls);
  QTEST(controls.texts.value("VBAT"), "text");
}

void ParameterMappingTest::collectBytePair_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("high");
  QTest::addColumn<int>("low");
  QTest::newRow("5") << "5" << 0 << 5;
  QTest::newRow("65535") << "65535" << 255 << 255;
  QTest::newRow("1000") << "1000" << 3 << 232;
  QTest::newRow("500") << "500" << 1 << 244;
  QTest::newRow("letters only") << "abc" << 0 << 0;
  QTest::newRow("empty") << "" << 0 << 0;
  QTest::newRow("leading number") << " 12abc" << 0 << 12;
  QTest::newRow("half to even down") << "2.5" << 0 << 2;
  QTest::newRow("half to even up") << "3.5" << 0 << 4;
  QTest::newRow("negative kept at 0") << "-5" << 0 << 0;
  QTest::newRow("too large kept at 65535") << "70000" << 255 << 255;
  QTest::newRow("exponent") << "1e3" << 3 << 232;
}

void ParameterMappingTest::collectBytePair() {
  QFETCH(QString, text);
  FakeControls controls;
  showParameterSet(factoryParameterSet(), controls);
  controls.texts["MCAPUVAL"] = text;
  ParameterSet set;
  collectParameterSet(controls, &set);
  QTEST(int(set[54]), "high");
  QTEST(int(set[55]), "low");
}

void ParameterMappingTest::showActionCode_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<bool>("pi");
  QTest::addColumn<bool>("pt");
  QTest::addColumn<bool>("sir");
  QTest::newRow("1") << 1 << true << false << false;
  QTest::newRow("2") << 2 << false << false << true;
  QTest::newRow("3") << 3 << true << false << true;
  QTest::newRow("4") << 4 << false << true << false;
  QTest::newRow("5") << 5 << false << true << true;
  QTest::newRow("6") << 6 << false << false << false;
}

void ParameterMappingTest::showActionCode() {
  QFETCH(int, code);
  ParameterSet set = factoryParameterSet();
  set[36] = static_cast<qint16>(code);
  FakeControls controls;
  controls.boxes = {{"ALARTEM_PI", true}, {"ALARTEM_PT", true}, {"ALARTEM_SIR", true}};
  showParameterSet(set, controls);
  QTEST(controls.boxes.value("ALARTEM_PI"), "pi");
  QTEST(controls.boxes.value("ALARTEM_PT"), "pt");
  QTEST(controls.boxes.value("ALARTEM_SIR"), "sir");
}

void ParameterMappingTest::actionCodeOutsideTableLeavesBoxes() {
  for (const qint16 code : {qint16(0), qint16(7), qint16(-1)}) {
    ParameterSet set = factoryParameterSet();
    set[32] = code;
    FakeControls controls;
    controls.boxes = {{"ALARFUE_PI", true}, {"ALARFUE_PT", false}, {"ALARFUE_SIR", true}};
    const QList<int> unshown = showParameterSet(set, controls);
    QCOMPARE(unshown, QList<int>{32});
    QVERIFY(!controls.log.contains("ALARFUE_PI"));
    QCOMPARE(controls.boxes.value("ALARFUE_PI"), true);
    QCOMPARE(controls.boxes.value("ALARFUE_SIR"), true);
  }
}

void ParameterMappingTest::collectActionCode_data() {
  QTest::addColumn<bool>("pi");
  QTest::addColumn<bool>("pt");
  QTest::addColumn<bool>("sir");
  QTest::addColumn<int>("previous");
  QTest::addColumn<int>("code");
  QTest::newRow("PI") << true << false << false << 0 << 1;
  QTest::newRow("SIR alone") << false << false << true << 0 << 2;
  QTest::newRow("PI SIR") << true << false << true << 0 << 3;
  QTest::newRow("PT") << false << true << false << 0 << 4;
  QTest::newRow("PT SIR") << false << true << true << 0 << 5;
  QTest::newRow("nothing") << false << false << false << 0 << 6;
  QTest::newRow("PI PT: timed stop wins") << true << true << false << 3 << 4;
  QTest::newRow("all three: later test wins") << true << true << true << 1 << 5;
}

void ParameterMappingTest::collectActionCode() {
  QFETCH(bool, pi);
  QFETCH(bool, pt);
  QFETCH(bool, sir);
  QFETCH(int, previous);
  FakeControls controls;
  showParameterSet(factoryParameterSet(), controls);
  controls.boxes["ALAROVE_PI"] = pi;
  controls.boxes["ALAROVE_PT"] = pt;
  controls.boxes["ALAROVE_SIR"] = sir;
  ParameterSet set;
  set[40] = static_cast<qint16>(previous);
  collectParameterSet(controls, &set);
  QTEST(int(set[40]), "code");
}

void ParameterMappingTest::flagOutsideOneTwoLeavesBox() {
  ParameterSet set = factoryParameterSet();
  set[13] = 0;
  set[21] = 3;
  FakeControls controls;
  controls.boxes = {{"MCAPA", true}, {"MCAPU", false}};
  QCOMPARE(showParameterSet(set, controls), (QList<int>{13, 21}));
  QCOMPARE(controls.boxes.value("MCAPA"), true);
  QCOMPARE(controls.boxes.value("MCAPU"), false);
  ParameterSet collected;
  collectParameterSet(controls, &collected);
  QCOMPARE(collected[13], qint16(1));
  QCOMPARE(collected[21], qint16(2));
}

void ParameterMappingTest::optionOutsideGroupIsReported_data() {
  QTest::addColumn<int>("slot");
  QTest::addColumn<int>("value");
  QTest::newRow("zero") << 1 << 0;
  QTest::newRow("negative") << 4 << -1;
  QTest::newRow("one too many") << 5 << 7;
  QTest::newRow("combination") << 14 << 3;
  QTest::newRow("level") << 41 << 0;
  QTest::newRow("large") << 44 << 32767;
}

void ParameterMappingTest::optionOutsideGroupIsReported() {
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
  QCOMPARE(set[slot], qint16(value));
}

void ParameterMappingTest::factorySetIsFullyShowable() {
  FakeControls controls;
  QVERIFY(showParameterSet(factoryParameterSet(), controls).isEmpty());
  const ParameterSet factory = factoryParameterSet();
  QCOMPARE(factory[1], qint16(7));  // 230 V
  QCOMPARE(factory[4], qint16(1));  // 50 Hz
  int engineSignals = 0;
  for (const int flag : {15, 19, 21}) engineSignals += factory[flag] == 1;
  QVERIFY(engineSignals <= 1);  // D+, W and pick-up exclude each other
}

void ParameterMappingTest::captionsMatchGroupSizes() {
  for (const MappingStep& step : mappingSteps()) {
    if (step.kind != ControlKind::OptionGroup) continue;
    const QStringList captions = optionCaptions(step.slot);
    QCOMPARE(captions.size(), optionCount(step));
    for (const QString& caption : captions) QVERIFY2(!caption.isEmpty(), step.control);
  }
  QCOMPARE(optionCaptions(1).at(6), QString("230 V"));
  QCOMPARE(optionCaptions(2).at(11), QString("Sin Alarma"));
  QCOMPARE(optionCaptions(5).at(0), QString::fromUtf8("\u00B10.5 %"));
  QCOMPARE(optionCaptions(29).at(5), QString::fromUtf8("\u00B18.3 %"));
  QCOMPARE(optionCaptions(24).at(11), QString("600 s"));
  QCOMPARE(optionCaptions(12).at(4), QString("15"));
}

QTEST_APPLESS_MAIN(ParameterMappingTest)
#include "test_parametermapping.moc"
