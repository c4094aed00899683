#include <QDir>
#include <QFile>
#include <QTest>

#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "filesizelimit.h"
#include "support/tempprogramdir.h"

using namespace orvex;

namespace {

ParameterSet sampleSet() {
  ParameterSet set;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) set[k] = static_cast<qint16>((k * 37) % 11 - 3);
  set[12] = 3;
  set[20] = -32768;
  set[21] = 32767;
  return set;
}

QByteArray numbersText(int count, const QByteArray& separator = "\r\n") {
  QByteArray text;
  for (int k = 1; k <= count; ++k) text += " " + QByteArray::number(k) + " " + separator;
  return text;
}

}  // namespace

class TestQvtFormat : public QObject {
  Q_OBJECT
 private slots:
  // List style: a blank for the sign, CR LF after each; slot 0 and the spare slots stay out.
  void fileBytesForAKnownSet() {
    test::TempProgramDir dir(false);
    ParameterSet set;
    set[0] = 99;
    set[1] = 2;
    set[63] = -1;
    set[64] = 77;
    QString error;
    QVERIFY(writeQvtFile(dir.file("a.QVT"), set, &error));
    const QByteArray expected = " 2 \r\n" + QByteArray(" 0 \r\n").repeated(61) + "-1 \r\n";
    QCOMPARE(dir.read("a.QVT"), expected);
  }
  void saveThenLoadReturnsTheSet() {
    test::TempProgramDir dir(false);
    const ParameterSet original = sampleSet();
    QString error;
    QVERIFY(writeQvtFile(dir.file("round.QVT"), original, &error));
    ParameterSet back;
    back[0] = 5;
    back[70] = 6;
    QString problem;
    QVERIFY2(readQvtFile(dir.file("round.QVT"), &back, &problem), qPrintable(problem));
    ParameterSet expected = original;
    expected[0] = 5;  // outside the file: untouched
    expected[70] = 6;
    QCOMPARE(back, expected);
  }
  void readsAnyListSeparators_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("lines LF only") << numbersText(63, "\n");
    QTest::newRow("commas") << numbersText(63, ",");
    QTest::newRow("blanks and tabs") << numbersText(63, "\t");
    QTest::newRow("more than 63") << numbersText(70);
    QTest::newRow("plus sign") << QByteArray("+1\r\n") + numbersText(63).mid(5);
  }
  void readsAnyListSeparators() {
    QFETCH(QByteArray, content);
    test::TempProgramDir dir(false);
    dir.write("x.QVT", content);
    ParameterSet set;
    QString problem;
    QVERIFY2(readQvtFile(dir.file("x.QVT"), &set, &problem), qPrintable(problem));
    for (int k = kFirstSlot; k <= kLastSlot; ++k) QCOMPARE(set[k], qint16(k));
  }
  void rejectsBadFilesAndKeepsTheSet_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("mustMention");
    QTest::newRow("empty") << QByteArray() << "fewer than 63";
    QTest::newRow("62 numbers") << numbersText(62) << "fewer than 63";
    const auto replaced = [](const char* from, const char* to) {
      return numbersText(63).replace(from, to);
    };
    QTest::newRow("a word on line 5") << replaced(" 5 ", " five ") << "Line 5 ";
    QTest::newRow("32768 on line 7") << replaced(" 7 ", " 32768 ") << "Line 7 ";
    QTest::newRow("-32769 on line 9") << replaced(" 9 ", " -32769 ") << "Line 9 ";
    QTest::newRow("fraction on line 3") << replaced(" 3 ", " 3.5 ") << "Line 3 ";
  }
  void rejectsBadFilesAndKeepsTheSet() {
    QFETCH(QByteArray, content);
    QFETCH(QString, mustMention);
    test::TempProgramDir dir(false);
    dir.write("bad.QVT", content);
    const ParameterSet before = sampleSet();
    ParameterSet set = before;
    QString problem;
    QVERIFY(!readQvtFile(dir.file("bad.QVT"), &set, &problem));
    QCOMPARE(set, before);
    QVERIFY2(problem.contains(mustMention), qPrintable(problem));
    QVERIFY2(problem.contains(QStringLiteral("bad.QVT")), qPrintable(problem));
  }
  void problemComesFromTheLanguageTable() {
    test::TempProgramDir dir(false);
    dir.write("short.QVT", numbersText(3));
    TextTables texts;
    texts.extra[extra::FileTooShort] = QStringLiteral(u"Le fichier %1 est trop court.");
    ParameterSet set;
    QString problem;
    QVERIFY(!readQvtFile(dir.file("short.QVT"), &set, &problem, &texts));
    QVERIFY(problem.startsWith(QStringLiteral(u"Le fichier ")));
    QVERIFY(problem.endsWith(QStringLiteral(u"short.QVT est trop court.")));
  }
  void failedSaveLeavesTheOldFile() {
    test::TempProgramDir dir(false);
    dir.write("CONFIG/keep.QVT", numbersText(63));
    QString error;
    bool written = true;
    {
      test::FileSizeLimit diskFull(64);  // the new file cannot grow past 64 bytes
      written = writeQvtFile(dir.file("CONFIG/keep.QVT"), sampleSet(), &error);
    }
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(dir.read("CONFIG/keep.QVT"), numbersText(63));
    QCOMPARE(QDir(dir.file("CONFIG")).entryList(QDir::Files), QStringList{"keep.QVT"});
  }
  void firstListItem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("quoted") << "\"Planta 2\"\r\n" << "Planta 2";
    QTest::newRow("leading blanks") << "   FABRICA\r\n" << "FABRICA";
    QTest::newRow("comma ends") << "A,B\r\n" << "A";
    QTest::newRow("quoted comma kept") << "\"A,B\",C\r\n" << "A,B";
    QTest::newRow("second line ignored") << "A\r\nB\r\n" << "A";
    QTest::newRow("empty") << "" << "";
  }
  void firstListItem() {
    QFETCH(QString, text);
    QFETCH(QString, name);
    QCOMPARE(orvex::firstListItem(text), name);
  }
  void defaultConfigurationFoundWithoutRegardToCase() {
    test::TempProgramDir dir(false);
    dir.write("DEFAULT.FIL", "\"fabrica\"\r\n");
    dir.write("config/FABRICA.qvt", numbersText(63));
    ParameterSet set;
    QString problem;
    QVERIFY2(loadDefaultConfiguration(dir.path(), &set, &problem), qPrintable(problem));
    QCOMPARE(set[63], qint16(63));
  }
  void defaultConfigurationFailures_data() {
    QTest::addColumn<QByteArray>("defaultFil");  // "-" = no Default.fil
    QTest::addColumn<QString>("mustMention");
    QTest::newRow("no Default.fil") << QByteArray("-") << "Default.fil";
    QTest::newRow("empty name") << QByteArray("\r\n") << "Default.fil";
    QTest::newRow("path in name") << QByteArray("../../etc/x\r\n") << "Default.fil";
    QTest::newRow("named file missing") << QByteArray("NOPE\r\n") << "NOPE.QVT";
    QTest::newRow("named file too short") << QByteArray("SHORT\r\n") << "SHORT.QVT";
  }
  void defaultConfigurationFailures() {
    QFETCH(QByteArray, defaultFil);
    QFETCH(QString, mustMention);
    test::TempProgramDir dir(false);
    if (defaultFil != "-") dir.write("Default.fil", defaultFil);
    dir.write("CONFIG/SHORT.QVT", numbersText(10));
    const ParameterSet before = sampleSet();
    ParameterSet set = before;
    QString problem;
    QVERIFY(!loadDefaultConfiguration(dir.path(), &set, &problem));
    QCOMPARE(set, before);
    QVERIFY2(problem.contains(mustMention), qPrintable(problem));
  }
  void defaultFileIsReplacedWhateverItsCase() {
    test::TempProgramDir dir(false);
    dir.write("Default.fil", "OLD\r\n");
    QString error;
    QVERIFY(writeDefaultFile(dir.path(), QStringLiteral(u"Nueva Planta"), &error));
    QCOMPARE(dir.read("Default.fil"), QByteArray("Nueva Planta\r\n"));
    QVERIFY(!QFile::exists(dir.file("DEFAULT.FIL")));
    test::TempProgramDir fresh(false);
    QVERIFY(writeDefaultFile(fresh.path(), QStringLiteral(u"Año"), &error));
    QCOMPARE(fresh.read("DEFAULT.FIL"), QByteArray("A\xF1o\r\n"));
  }
};

QTEST_GUILESS_MAIN(TestQvtFormat)
#include "test_qvtformat.moc"
