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

// Reads `content` as a.QVT into a copy of sampleSet(); "" when it read, else the problem told.
QString readBack(const QByteArray& content, ParameterSet* set) {
  test::TempProgramDir dir(false);
  dir.write("a.QVT", content);
  *set = sampleSet();
  QString problem;
  const bool read = readQvtFile(dir.file("a.QVT"), set, &problem);
  return read == problem.isEmpty() ? problem : "reported wrongly: " + problem;
}

}  // namespace

class TestQvtFormat : public QObject {
  Q_OBJECT
 private slots:
  // List style: a blank for the sign, CR LF after each; slot 0 and the spare slots stay out.
  void fileBytesForAKnownSetAndBack() {
    test::TempProgramDir dir(false);
    ParameterSet set;
    std::tie(set[0], set[1], set[63], set[64]) = std::tuple(99, 2, -1, 77);
    QString error;
    QVERIFY(writeQvtFile(dir.file("a.QVT"), set, &error));
    QCOMPARE(dir.read("a.QVT"), " 2 \r\n" + QByteArray(" 0 \r\n").repeated(61) + "-1 \r\n");
    QVERIFY(writeQvtFile(dir.file("a.QVT"), sampleSet(), &error));
    ParameterSet back, expected = sampleSet();
    QCOMPARE(readBack(dir.read("a.QVT"), &back), QString());
    expected[0] = back[0] = 0;  // outside the file: untouched
    QCOMPARE(back, expected);
  }
  void reading_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("problem");  // what it must mention; "" when 1..63 are read
    const auto replaced = [](const char* from, const char* to) {
      return numbersText(63).replace(from, to);
    };
    QTest::newRow("lines LF only") << numbersText(63, "\n") << "";
    QTest::newRow("commas") << numbersText(63, ",") << "";
    QTest::newRow("blanks and tabs") << numbersText(63, "\t") << "";
    QTest::newRow("blank lines after 63") << numbersText(63) + "\r\n \r\n"
                                          << "";
    QTest::newRow("a 64th value") << numbersText(63) + "\r\n64\r\n"
                                  << "(line 65)";
    QTest::newRow("too large, though blank")
        << numbersText(63) + QByteArray(17'000, '\n') << "too large (";
    QTest::newRow("plus sign") << QByteArray("+1\r\n") + numbersText(63).mid(5) << "";
    QTest::newRow("62 numbers") << numbersText(62) << "fewer than 63";
    QTest::newRow("a word on line 5") << replaced(" 5 ", " five ") << "Line 5 ";
    QTest::newRow("32768 on line 7") << replaced(" 7 ", " 32768 ") << "Line 7 ";
    QTest::newRow("-32769 on line 9") << replaced(" 9 ", " -32769 ") << "Line 9 ";
  }
  void reading() {
    QFETCH(QByteArray, content);
    QFETCH(QString, problem);
    ParameterSet set;
    const QString told = readBack(content, &set);
    if (problem.isEmpty()) {
      QCOMPARE(told, QString());
      for (int k = kFirstSlot; k <= kLastSlot; ++k) QCOMPARE(set[k], qint16(k));
    } else {
      QVERIFY2(told.contains(problem) && told.contains("a.QVT"), qPrintable(told));
      QCOMPARE(set, sampleSet());
    }
  }
  void problemComesFromTheLanguageTable() {
    test::TempProgramDir dir(false);
    dir.write("short.QVT", numbersText(3));
    TextTables texts;
    texts.extra[extra::FileTooShort] = QStringLiteral(u"Le fichier %1 est trop court.");
    ParameterSet set;
    QString problem;
    QVERIFY(!readQvtFile(dir.file("short.QVT"), &set, &problem, &texts));
    QVERIFY(problem.startsWith(QStringLiteral(u"Le fichier ")) &&
            problem.endsWith("short.QVT est trop court."));
  }
  void failedSaveLeavesTheOldFile() {
    if (!test::FileSizeLimit::kAvailable) QSKIP("a full disk cannot be made on this platform");
    test::TempProgramDir dir(false);
    dir.write("CONFIG/keep.QVT", numbersText(63));
    QString error;
    bool written = true;
    {
      test::FileSizeLimit diskFull(64);  // the new file cannot grow past 64 bytes
      written = writeQvtFile(dir.file("CONFIG/keep.QVT"), sampleSet(), &error);
    }
    QVERIFY(!written && !error.isEmpty());
    QCOMPARE(dir.read("CONFIG/keep.QVT"), numbersText(63));
    QCOMPARE(QDir(dir.file("CONFIG")).entryList(QDir::Files), QStringList{"keep.QVT"});
  }
  void defaultConfiguration_data() {
    QTest::addColumn<QByteArray>("defaultFil");  // "-" = no Default.fil
    QTest::addColumn<QString>("problem");        // what it must mention; "" when loaded
    QTest::newRow("found without regard to case") << QByteArray("\"fabrica\"\r\n") << "";
    QTest::newRow("no Default.fil") << QByteArray("-") << "Default.fil";
    QTest::newRow("path in name") << QByteArray("../../etc/x\r\n") << "Default.fil";
    QTest::newRow("named file missing") << QByteArray("NOPE\r\n") << "NOPE.QVT";
    QTest::newRow("Default.fil too large") << QByteArray(5000, ' ') << "Default.fil is too large";
  }
  void defaultConfiguration() {
    QFETCH(QByteArray, defaultFil);
    QFETCH(QString, problem);
    test::TempProgramDir dir(false);
    const bool loads = problem.isEmpty();  // then both names in other case
    if (defaultFil != "-") dir.write(loads ? "DEFAULT.FIL" : "Default.fil", defaultFil);
    dir.write("config/FABRICA.qvt", numbersText(63));
    ParameterSet set = sampleSet();
    QString told;
    QCOMPARE(loadDefaultConfiguration(dir.path(), &set, &told), loads);
    QVERIFY2(told.contains(problem), qPrintable(told));
    QCOMPARE(set[63], loads ? qint16(63) : sampleSet()[63]);
  }
  // The file saved is the file start-up reads, also beside a second one in another case
  // (files copied from a Windows installation).
  void defaultFileIsReplacedWhateverItsCase() {
    test::TempProgramDir dir(false);
    dir.write("Default.fil", "OLD\r\n");
    dir.write("CONFIG/Nueva Planta.QVT", numbersText(63));
    QString error;
    QVERIFY(writeDefaultFile(dir.path(), QStringLiteral(u"Nueva Planta"), &error));
    QCOMPARE(dir.read("Default.fil"), QByteArray("Nueva Planta\r\n"));
    QVERIFY(!QDir(dir.path())
                 .entryList(QDir::Files)
                 .contains("DEFAULT.FIL"));  // also where case is ignored
    dir.write("Default.fil", "OLD\r\n");
    dir.write("DEFAULT.FIL", "OLD\r\n");
    QVERIFY(writeDefaultFile(dir.path(), QStringLiteral(u"Nueva Planta"), &error));
    ParameterSet set;
    QVERIFY2(loadDefaultConfiguration(dir.path(), &set, &error), qPrintable(error));
    test::TempProgramDir fresh(false);
    QVERIFY(writeDefaultFile(fresh.path(), QStringLiteral(u"Año"), &error));
    QCOMPARE(fresh.read("DEFAULT.FIL"), QByteArray("A\xF1o\r\n"));
  }
  // Every name the save window accepts is the name read back at the next start.
  void defaultNameComesBackWhole() {
    for (const QString name : {"A,B", " LEAD", "Planta 2"}) {
      test::TempProgramDir dir(false);
      dir.write("CONFIG/" + name + ".QVT", numbersText(63));
      QString error;
      QVERIFY(writeDefaultFile(dir.path(), name, &error));
      ParameterSet set;
      QVERIFY2(loadDefaultConfiguration(dir.path(), &set, &error), qPrintable(name + ": " + error));
    }
  }
};

QTEST_GUILESS_MAIN(TestQvtFormat)
#include "test_qvtformat.moc"
