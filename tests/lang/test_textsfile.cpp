#include <QDir>
#include <QTest>

#include "lang/textsfile.h"
#include "support/tempprogramdir.h"
#include "textfixture.h"

using namespace orvex;
using orvex::test::fixtureItem;
using orvex::test::fixtureTextFile;
using orvex::test::TempProgramDir;

class TestTextsFile : public QObject {
  Q_OBJECT
 private slots:
  void readsTheBlockOfEachLanguage_data() {
    QTest::addColumn<int>("base");
    for (int base : {0, 300, 600, 900, 1200}) QTest::addRow("base %d", base) << base;
  }
  void readsTheBlockOfEachLanguage() {
    QFETCH(int, base);
    TempProgramDir dir(false);
    dir.write("textos.sys", fixtureTextFile());
    const TextBlock block = readTextBlock(dir.path(), base);
    QCOMPARE(block.status, TextBlock::Status::Ok);
    QVERIFY(block.items.size() == 268 && block.extra.size() == 32);
    const QStringList ends = {block.items.first(), block.items.last(), block.extra.first(),
                              block.extra.last()};
    QCOMPARE(ends, (QStringList{fixtureItem(base, 1), fixtureItem(base, 268),
                                fixtureItem(base, 269), fixtureItem(base, 300)}));
  }
  void lastBlockWithoutExtraItemsIsEnough() {
    const TextBlock block = parseTextBlock(fromCp1252(fixtureTextFile(1200 + 270)), 1200, "t");
    QCOMPARE(block.status, TextBlock::Status::Ok);
    QCOMPARE(block.extra, (QStringList{fixtureItem(1200, 269), fixtureItem(1200, 270)}));
  }
  void shortFileIsTooShort_data() {
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("base");
    QTest::newRow("one item short of English") << 300 + 267 << 300;
    QTest::newRow("Norwegian block cut") << 1400 << 1200;
    QTest::newRow("ends inside an earlier block") << 100 << 600;
    QTest::newRow("empty") << 0 << 0;
  }
  void shortFileIsTooShort() {
    QFETCH(int, items);
    QFETCH(int, base);
    const TextBlock block = parseTextBlock(fromCp1252(fixtureTextFile(items)), base, "t");
    QVERIFY(block.status == TextBlock::Status::TooShort && block.items.isEmpty());
    QCOMPARE(QList<int>({block.itemsFound, block.itemsNeeded}), QList<int>({items, base + 268}));
  }
  void unreadableFile() {
    TempProgramDir dir(false);
    QVERIFY(QDir().mkpath(dir.file("textos.sys")));  // a folder in the file's place
    const TextBlock block = readTextBlock(dir.path(), 0);
    QVERIFY(block.status == TextBlock::Status::Unreadable && !block.error.isEmpty());
  }
  void failureMessageNamesFileAndFolder_data() {
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("status");
    for (int base : {0, 300, 600, 900, 1200})
      for (auto status :
           {TextBlock::Status::Missing, TextBlock::Status::Unreadable, TextBlock::Status::TooShort})
        QTest::addRow("base %d status %d", base, int(status)) << base << int(status);
  }
  void failureMessageNamesFileAndFolder() {
    QFETCH(int, base);
    QFETCH(int, status);
    TextBlock block;
    block.status = TextBlock::Status(status);
    block.path = "/opt/orvex/textos.sys";
    block.error = "Permission denied";
    block.itemsFound = 555;
    block.itemsNeeded = 568;
    const QString prompt = textBlockFailurePrompt(block, base);
    QStringList parts = {"textos.sys", QDir::toNativeSeparators("/opt/orvex")};
    if (block.status == TextBlock::Status::Unreadable) parts << "Permission denied";
    if (block.status == TextBlock::Status::TooShort)
      parts << "555"
            << "568";
    for (const QString& part : parts) QVERIFY2(prompt.contains(part), qPrintable(prompt));
    QVERIFY2(!prompt.contains('%') && !textBlockFailureTitle(base).isEmpty(), qPrintable(prompt));
    // Each language speaks its own words.
    if (base != 300) QVERIFY(prompt != textBlockFailurePrompt(block, 300));
  }
};

QTEST_APPLESS_MAIN(TestTextsFile)
#include "test_textsfile.moc"
