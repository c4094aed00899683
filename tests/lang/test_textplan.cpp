#include <QDir>
#include <QTest>

#include "lang/textplan.h"

using namespace orvex;
using Kind = ItemUse::Kind;

class TestTextPlan : public QObject {
  Q_OBJECT
 private slots:
  void everyItemHasAUse();
  void itemUses_data();
  void itemUses();
  void tabCaptionsInOrder();
  void distributesTables();
  void distributesCaptions();
  void pathCaptionsEndWithTheirFolder();
  void extraItemsFollowTheBlock();
};

namespace {

QStringList numberedItems() {
  QStringList items;
  for (int i = 1; i <= 268; ++i) items.append(QStringLiteral("item %1").arg(i));
  return items;
}

QStringList usesOf(int item) {
  QStringList uses;
  for (const ItemUse& use : textItemTable().at(size_t(item))) {
    switch (use.kind) {
      case Kind::Caption: uses.append(use.window + '.' + use.control); break;
      case Kind::TabCaption: uses.append(QStringLiteral("tab %1").arg(use.index)); break;
      case Kind::PathCaption: uses.append(use.window + '.' + use.control + '+' + use.suffix); break;
      case Kind::Screen: uses.append(QStringLiteral("screen %1").arg(use.index)); break;
      case Kind::Message: uses.append(QStringLiteral("message %1").arg(use.index)); break;
      case Kind::Report: uses.append(QStringLiteral("report %1").arg(use.index)); break;
      case Kind::KeptExit: uses.append("kept exit"); break;
      case Kind::KeptGrabFichLeave: uses.append("kept GrabFich"); break;
      case Kind::KeptLoadFichLeave: uses.append("kept LoadFich"); break;
    }
  }
  return uses;
}

}  // namespace

void TestTextPlan::everyItemHasAUse() {
  QCOMPARE(textItemTable().size(), size_t(269));
  QVERIFY(textItemTable()[0].empty());
  for (int item = 1; item <= 268; ++item) QVERIFY2(!usesOf(item).isEmpty(), qPrintable(QString::number(item)));
}

void TestTextPlan::itemUses_data() {
  QTest::addColumn<int>("item");
  QTest::addColumn<QStringList>("uses");
  QTest::newRow("1") << 1 << QStringList{"Presentacion."};
  QTest::newRow("2") << 2 << QStringList{"screen 1"};
  QTest::newRow("7") << 7 << QStringList{"screen 6"};
  QTest::newRow("8") << 8 << QStringList{"Presentacion.labelauto"};
  QTest::newRow("16") << 16 << QStringList{"Presentacion.Command4"};
  QTest::newRow("17") << 17 << QStringList{"Presentacion.Command1", "Idioma.Command8", "kept exit"};
  QTest::newRow("18") << 18 << QStringList{"Presentacion.Frame1"};
  QTest::newRow("19") << 19 << QStringList{"screen 7"};
  QTest::newRow("24") << 24 << QStringList{"screen 12"};
  QTest::newRow("25") << 25 << QStringList{"ConfigQVT."};
  QTest::newRow("31") << 31 << QStringList{"ConfigQVT.Command6"};
  QTest::newRow("37") << 37 << QStringList{"ConfigQVT.RVLI(12)"};
  QTest::newRow("51") << 51 << QStringList{"ConfigQVT.Label34"};
  QTest::newRow("52") << 52 << QStringList{"screen 13"};
  QTest::newRow("57") << 57 << QStringList{"ConfigQVT.Label13"};
  QTest::newRow("76") << 76 << QStringList{"ConfigQVT.MCA_PA"};
  QTest::newRow("77") << 77 << QStringList{"ConfigQVT.MCAPA", "ConfigQVT.MCABD", "ConfigQVT.MCAFA",
                                           "ConfigQVT.MCACW", "ConfigQVT.MCAPU"};
  QTest::newRow("82") << 82 << QStringList{"ConfigQVT.MCALABIV"};
  QTest::newRow("83") << 83 << QStringList{"ConfigQVT.Label14"};
  QTest::newRow("96") << 96 << QStringList{"ConfigQVT.Label21"};
  QTest::newRow("103") << 103 << QStringList{"ConfigQVT.AVLI(9)", "ConfigQVT.AVLS(9)", "ConfigQVT.AFL(9)"};
  QTest::newRow("118") << 118 << QStringList{"ConfigQVT.Label38"};
  QTest::newRow("125") << 125 << QStringList{"ConfigQVT.Frame205"};
  QTest::newRow("127") << 127 << QStringList{"ConfigQVT.Frame9", "ConfigQVT.Frame10", "ConfigQVT.Frame12",
                                             "ConfigQVT.Frame14", "ConfigQVT.Frame16"};
  QTest::newRow("130") << 130 << QStringList{"ConfigQVT.ALARFUE_SIR", "ConfigQVT.ALAROIL_SIR",
                                             "ConfigQVT.ALARTEM_SIR", "ConfigQVT.ALAREXT_SIR",
                                             "ConfigQVT.ALAROVE_SIR"};
  QTest::newRow("144") << 144 << QStringList{"ConfigQVT.Label36"};
  QTest::newRow("145") << 145 << QStringList{"ConfigCOM."};
  QTest::newRow("152") << 152 << QStringList{"ConfigCOM.Cancelar"};
  QTest::newRow("154") << 154 << QStringList{"GrabQVT.Frame1"};
  QTest::newRow("160") << 160 << QStringList{"GrabFich.Command2", "kept GrabFich"};
  QTest::newRow("164") << 164 << QStringList{"LoadFich.Command2", "kept LoadFich"};
  QTest::newRow("165") << 165 << QStringList{"message 1"};
  QTest::newRow("210") << 210 << QStringList{"message 46"};
  QTest::newRow("211") << 211 << QStringList{"report 1"};
  QTest::newRow("257") << 257 << QStringList{"report 47"};
  QTest::newRow("263") << 263 << QStringList{"Report.Label2"};
  QTest::newRow("264") << 264 << QStringList{"Report.Label3+Report/Txt"};
  QTest::newRow("265") << 265 << QStringList{"Report.Label4+Report"};
  QTest::newRow("266") << 266 << QStringList{"Report.Label5+Report/Doc"};
  QTest::newRow("267") << 267 << QStringList{"message 47"};
  QTest::newRow("268") << 268 << QStringList{"message 48"};
}

void TestTextPlan::itemUses() {
  QFETCH(int, item);
  QTEST(usesOf(item), "uses");
}

void TestTextPlan::tabCaptionsInOrder() {
  QStringList tabs;
  for (int item = 1; item <= 268; ++item)
    for (const QString& use : usesOf(item))
      if (use.startsWith("tab")) tabs.append(QStringLiteral("%1:%2").arg(item).arg(use));
  QCOMPARE(tabs, (QStringList{"32:tab 0", "58:tab 1", "84:tab 2", "97:tab 3", "119:tab 4"}));
}

void TestTextPlan::distributesTables() {
  const LanguageTexts texts = distributeTextItems(numberedItems(), {}, "/p/");
  const TextTables& t = texts.tables;
  QCOMPARE(t.screen[1], QString("item 2"));
  QCOMPARE(t.screen[6], QString("item 7"));
  QCOMPARE(t.screen[7], QString("item 19"));
  QCOMPARE(t.screen[12], QString("item 24"));
  QCOMPARE(t.screen[13], QString("item 52"));
  QVERIFY(t.screen[14].isEmpty());
  QCOMPARE(t.message[1], QString("item 165"));
  QCOMPARE(t.message[46], QString("item 210"));
  QCOMPARE(t.message[47], QString("item 267"));
  QCOMPARE(t.message[48], QString("item 268"));
  QVERIFY(t.message[49].isEmpty());
  QCOMPARE(t.report[1], QString("item 211"));
  QCOMPARE(t.report[47], QString("item 257"));
  QVERIFY(t.report[48].isEmpty());
  QCOMPARE(t.exitCaption, QString("item 17"));
  QCOMPARE(t.grabFichLeaveCaption, QString("item 160"));
  QCOMPARE(t.loadFichLeaveCaption, QString("item 164"));
  // The scratch entry holds the last caption put on a control.
  QCOMPARE(t.screen[0], "item 266" + QDir::toNativeSeparators("/p/Report/Doc"));
}

void TestTextPlan::distributesCaptions() {
  const LanguageTexts texts = distributeTextItems(numberedItems(), {}, "/p/");
  QVERIFY(texts.captions.contains(CaptionAssignment{"Presentacion", "", "item 1"}));
  QVERIFY(texts.captions.contains(CaptionAssignment{"Idioma", "Command8", "item 17"}));
  QVERIFY(texts.captions.contains(CaptionAssignment{"ConfigQVT", "SSTab1", "item 84", 2}));
  QVERIFY(texts.captions.contains(CaptionAssignment{"ConfigQVT", "TESCON(2)", "item 142"}));
  QVERIFY(texts.captions.contains(CaptionAssignment{"ConfigCOM", "Salvar", "item 151"}));
  int shared77 = 0;
  for (const CaptionAssignment& c : texts.captions) shared77 += c.text == "item 77";
  QCOMPARE(shared77, 5);
}

void TestTextPlan::pathCaptionsEndWithTheirFolder() {
  const LanguageTexts texts = distributeTextItems(numberedItems(), {}, "/opt/orvex/");
  auto find = [&](const QString& control) {
    for (const CaptionAssignment& c : texts.captions)
      if (c.window == "Report" && c.control == control) return c.text;
    return QString();
  };
  QCOMPARE(find("Label3"), "item 264" + QDir::toNativeSeparators("/opt/orvex/Report/Txt"));
  QCOMPARE(find("Label4"), "item 265" + QDir::toNativeSeparators("/opt/orvex/Report"));
  QCOMPARE(find("Label5"), "item 266" + QDir::toNativeSeparators("/opt/orvex/Report/Doc"));
}

void TestTextPlan::extraItemsFollowTheBlock() {
  const LanguageTexts texts = distributeTextItems(numberedItems(), {"x269", "x270"}, "/p/");
  QCOMPARE(texts.tables.extra[1], QString("x269"));
  QCOMPARE(texts.tables.extra[2], QString("x270"));
  QVERIFY(texts.tables.extra[3].isEmpty());
  QVERIFY(texts.tables.extra[0].isEmpty());
}

QTEST_APPLESS_MAIN(TestTextPlan)
#include "test_textplan.moc"
