#include <QDir>
#include <QTest>

#include "lang/textplan.h"

using namespace orvex;
using Kind = ItemUse::Kind;

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

class TestTextPlan : public QObject {
  Q_OBJECT
 private slots:
  void everyItemHasAUse() {
    QCOMPARE(textItemTable().size(), size_t(269));
    QVERIFY(textItemTable()[0].empty());
    for (int item = 1; item <= 268; ++item)
      QVERIFY2(!usesOf(item).isEmpty(), qPrintable(QString::number(item)));
  }
  // The tables' item ranges are checked through distribution; here the captions at the edges
  // of each window's range and the items shared by several controls.
  void itemUses_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<QStringList>("uses");
    QTest::newRow("1") << 1 << QStringList{"Presentacion."};
    QTest::newRow("8") << 8 << QStringList{"Presentacion.labelauto"};
    QTest::newRow("17") << 17 << QStringList{"Presentacion.Command1", "Idioma.Command8", "kept exit"};
    QTest::newRow("18") << 18 << QStringList{"Presentacion.Frame1"};
    QTest::newRow("25") << 25 << QStringList{"ConfigQVT."};
    QTest::newRow("77") << 77 << QStringList{"ConfigQVT.MCAPA", "ConfigQVT.MCABD", "ConfigQVT.MCAFA",
                                             "ConfigQVT.MCACW", "ConfigQVT.MCAPU"};
    QTest::newRow("103") << 103 << QStringList{"ConfigQVT.AVLI(9)", "ConfigQVT.AVLS(9)", "ConfigQVT.AFL(9)"};
    QTest::newRow("130") << 130 << QStringList{"ConfigQVT.ALARFUE_SIR", "ConfigQVT.ALAROIL_SIR",
                                               "ConfigQVT.ALARTEM_SIR", "ConfigQVT.ALAREXT_SIR",
                                               "ConfigQVT.ALAROVE_SIR"};
    QTest::newRow("144") << 144 << QStringList{"ConfigQVT.Label36"};
    QTest::newRow("145") << 145 << QStringList{"ConfigCOM."};
    QTest::newRow("154") << 154 << QStringList{"GrabQVT.Frame1"};
    QTest::newRow("160") << 160 << QStringList{"GrabFich.Command2", "kept GrabFich"};
    QTest::newRow("164") << 164 << QStringList{"LoadFich.Command2", "kept LoadFich"};
    QTest::newRow("263") << 263 << QStringList{"Report.Label2"};
  }
  void itemUses() {
    QFETCH(int, item);
    QTEST(usesOf(item), "uses");
  }
  void tabCaptionsInOrder() {
    QStringList tabs;
    for (int item = 1; item <= 268; ++item)
      for (const QString& use : usesOf(item))
        if (use.startsWith("tab")) tabs.append(QStringLiteral("%1:%2").arg(item).arg(use));
    QCOMPARE(tabs, (QStringList{"32:tab 0", "58:tab 1", "84:tab 2", "97:tab 3", "119:tab 4"}));
  }
  void distributesTables() {
    const LanguageTexts texts = distributeTextItems(numberedItems(), {}, "/p/");
    const TextTables& t = texts.tables;
    const auto entries = [](const auto& table, std::initializer_list<int> numbers) {
      QStringList texts;
      for (const int n : numbers) texts << table[size_t(n)];
      return texts;
    };
    QCOMPARE(entries(t.screen, {1, 6, 7, 12, 13, 14}),
             (QStringList{"item 2", "item 7", "item 19", "item 24", "item 52", ""}));
    QCOMPARE(entries(t.message, {1, 46, 47, 48, 49}),
             (QStringList{"item 165", "item 210", "item 267", "item 268", ""}));
    QCOMPARE(entries(t.report, {1, 47, 48}), (QStringList{"item 211", "item 257", ""}));
    QCOMPARE((QStringList{t.exitCaption, t.grabFichLeaveCaption, t.loadFichLeaveCaption}),
             (QStringList{"item 17", "item 160", "item 164"}));
    // The scratch entry holds the last caption put on a control.
    QCOMPARE(t.screen[0], "item 266" + QDir::toNativeSeparators("/p/Report/Doc"));
  }
  void distributesCaptions() {
    const LanguageTexts texts = distributeTextItems(numberedItems(), {}, "/p/");
    for (const CaptionAssignment& c : {CaptionAssignment{"Presentacion", "", "item 1"},
                                       CaptionAssignment{"ConfigQVT", "SSTab1", "item 84", 2},
                                       CaptionAssignment{"ConfigCOM", "Salvar", "item 151"}})
      QVERIFY2(texts.captions.contains(c), qPrintable(c.text));
    QCOMPARE(std::count_if(texts.captions.begin(), texts.captions.end(),
                           [](const CaptionAssignment& c) { return c.text == "item 77"; }), 5);
  }
  void pathCaptionsEndWithTheirFolder() {
    const LanguageTexts texts = distributeTextItems(numberedItems(), {}, "/opt/orvex/");
    QStringList report;
    for (const CaptionAssignment& c : texts.captions)
      if (c.window == "Report" && QStringList({"Label3", "Label4", "Label5"}).contains(c.control))
        report << c.text;
    QCOMPARE(report.join('|'), QDir::toNativeSeparators(
        "item 264/opt/orvex/Report/Txt|item 265/opt/orvex/Report|item 266/opt/orvex/Report/Doc"));
  }
  void extraItemsFollowTheBlock() {
    const LanguageTexts texts = distributeTextItems(numberedItems(), {"x269", "x270"}, "/p/");
    const auto& extra = texts.tables.extra;
    QCOMPARE((QStringList{extra[0], extra[1], extra[2], extra[3]}), (QStringList{"", "x269", "x270", ""}));
  }
};

QTEST_APPLESS_MAIN(TestTextPlan)
#include "test_textplan.moc"
