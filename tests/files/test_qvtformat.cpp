#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "fakeeditor.h"
#include "files/filename.h"
#include "files/grabfich.h"
#include "files/loadfich.h"
#include "files/qvtformat.h"
#include "files/register.h"
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

ParameterSet numberedSet(int offset) {
  ParameterSet set;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) set[k] = static_cast<qint16>(k + offset);
  return set;
}

struct Fixture : test::WindowFixture {
  Fixture() {
    for (int n = 1; n <= 48; ++n) context.texts.message[n] = QStringLiteral("m%1").arg(n);
    context.texts.exitCaption = QStringLiteral("Exit");
    context.texts.grabFichLeaveCaption = QStringLiteral("Leave unsaved");
    context.texts.loadFichLeaveCaption = QStringLiteral("Leave unloaded");
    registerFileWindows(services);
    editor->editorSet = numberedSet(100);
    // Start from an empty CONFIG (the delivered factory file would be listed too).
    QDir config(dir.file("CONFIG"));
    for (const QString& file : config.entryList(QDir::Files | QDir::Hidden)) config.remove(file);
  }
  QWidget* open(const QString& name) {
    QWidget* w = windows.window(name);
    w->show();
    return w;
  }
  static void click(QWidget* w, const char* button) {
    w->findChild<QPushButton*>(QLatin1String(button))->click();
  }
  static QString leaveCaption(QWidget* w) { return w->findChild<QPushButton*>("Command2")->text(); }
  static QString typed(QWidget* w) { return w->findChild<QLineEdit*>("Text1")->text(); }
  QStringList configFiles() const { return QDir(dir.file("CONFIG")).entryList(QDir::Files); }
  static QStringList listed(QWidget* w) {
    QStringList names;
    auto* list = w->findChild<QListWidget*>(QStringLiteral("File1"));
    for (int i = 0; i < list->count(); ++i) names.append(list->item(i)->text());
    return names;
  }
  static void pick(QWidget* w, const QString& entry) {
    auto* list = w->findChild<QListWidget*>(QStringLiteral("File1"));
    const QList<QListWidgetItem*> items = list->findItems(entry, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
  }
  static void type(QWidget* w, const QString& name) {
    w->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(name);
  }
};

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
  // Names that make a file in CONFIG or Report, and those that would go elsewhere, be cut,
  // or name a Windows device (Latin-1: COM\xB9 is COM superscript one).
  void judgesNames() {
    for (const char* name :
         {"FABRICA", "Planta 2 norte", "A.QVT", "A\xF1o \xF1", "CONSOLA", "COM0"})
      QVERIFY2(isSafeFileName(QString::fromLatin1(name)), name);
    for (const char* name :
         {"SN-0042/7", "",        "   ",     "a/b",         "a\\b",    "..",     "a..b",
          "C:x",       "a*b",     "a?b",     "a\"b",        "a<b",     "a>b",    "a|b",
          "a\tb",      "a\nb",    "a\177b",  "name.",       "name ",   "CON",    "prn",
          "Aux",       "NUL",     "COM1",    "com9",        "LPT1",    "lpt9",   "CON.txt",
          "nul.QVT",   "COM3 .x", "COM\xB9", "lpt\xB2.txt", "LPT\xB3", "CONIN$", "conout$.x"})
      QVERIFY2(!isSafeFileName(QString::fromLatin1(name)), name);
  }
  // Opening, picking, leaving: shared by both dialogs.
  // clang-format off
  void openingAndLeaving_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("keptCaption");
    QTest::newRow("GrabFich") << "GrabFich" << "Leave unsaved";
    QTest::newRow("LoadFich") << "LoadFich" << "Leave unloaded";
  }
  // clang-format on
  void openingAndLeaving() {
    QFETCH(QString, window);
    QFETCH(QString, keptCaption);
    Fixture f;
    for (const char* file : {"CONFIG/b.qvt", "CONFIG/A.QVT", "CONFIG/notes.txt"})
      f.dir.write(file, "");
    QWidget* w = f.open(window);
    QVERIFY(!f.editor->buttonsEnabled);
    QCOMPARE(Fixture::listed(w), (QStringList{"A.QVT", "b.qvt"}));
    QCOMPARE(Fixture::leaveCaption(w), keptCaption);
    Fixture::click(w, "Command2");
    QVERIFY(!w->isVisible() && f.editor->buttonsEnabled);
    f.dir.write("CONFIG/C.QVT", "");  // listed anew at every opening
    w->show();
    QVERIFY(!f.editor->buttonsEnabled);
    QCOMPARE(Fixture::listed(w).size(), 3);
    w->close();  // the frame's close control
    QVERIFY(!w->isVisible() && f.editor->buttonsEnabled);
  }

  void eachDialogHoldsTheButtonsOnce() {
    Fixture f;
    QWidget* grab = f.open("GrabFich");
    QWidget* load = f.open("LoadFich");
    grab->hide();
    grab->show();  // shown again without leaving: no second hold
    QCOMPARE(f.editor->holds, 2);
    Fixture::click(grab, "Command2");
    grab->close();  // left already: must not release the load dialog's hold
    QVERIFY(!f.editor->buttonsEnabled);
    load->close();
    QVERIFY(f.editor->buttonsEnabled && f.editor->holds == 0);
  }

  void saveWritesTheCollectedSetAndShowsExit() {
    Fixture f;
    QWidget* w = f.open("GrabFich");
    Fixture::type(w, "Planta 2");
    Fixture::click(w, "Command3");
    QCOMPARE(f.editor->collections, 1);
    QCOMPARE(f.dir.read("CONFIG/Planta 2.QVT"), formatQvt(numberedSet(100)).toLatin1());
    QCOMPARE(Fixture::listed(w), QStringList{"Planta 2.QVT"});
    QVERIFY(Fixture::leaveCaption(w) == "Exit" && w->isVisible());
    f.editor->editorSet = numberedSet(-50);
    Fixture::click(w, "Command3");  // replaced without a question
    QCOMPARE(f.dir.read("CONFIG/Planta 2.QVT"), formatQvt(numberedSet(-50)).toLatin1());
    QCOMPARE(f.messages.shown(), QStringList());
    Fixture::click(w, "Command2");
    w->show();
    QCOMPARE(Fixture::leaveCaption(w) + "|" + Fixture::typed(w), "Leave unsaved|Planta 2");
  }
  // clang-format off
  void failedSaveSaysWhyAndKeepsTheDialog_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << "" << "m39";
    QTest::newRow("beyond Windows-1252") << QStringLiteral(u"Planta \u4E2D") << "File name not valid";
    QTest::newRow("no CONFIG folder") << "X" << "File not written";
  }
  // clang-format on
  void failedSaveSaysWhyAndKeepsTheDialog() {
    QFETCH(QString, name);
    const bool folderGone = name == "X";
    Fixture f;
    if (folderGone) QVERIFY(QDir(f.dir.file("CONFIG")).removeRecursively());
    QWidget* w = f.open("GrabFich");
    Fixture::type(w, name);
    Fixture::click(w, "Command3");
    QCOMPARE(f.messages.shown().size(), 1);
    QVERIFY(f.messages.shown()[0].startsWith("E "));
    QTEST(f.messages.calls[0].title, "title");
    if (folderGone) QVERIFY(f.messages.calls[0].prompt.contains(QStringLiteral("X.QVT")));
    else QCOMPARE(f.editor->collections, 0);
    QVERIFY(f.configFiles().isEmpty());
    QCOMPARE(Fixture::leaveCaption(w), QStringLiteral("Leave unsaved"));
  }

  // Only Default.fil changes, and only on Yes; the configuration is neither collected nor written.
  void makeDefaultAsksWithNoAsDefault() {
    for (const bool yes : {false, true}) {
      Fixture f;
      f.dir.write("Default.fil", "OLD\r\n");
      f.messages.answer = yes ? MessageAnswer::Yes : MessageAnswer::No;
      QWidget* w = f.open("GrabFich");
      Fixture::type(w, "Nueva");
      Fixture::click(w, "Command1");
      QCOMPARE(f.messages.shown().value(0).left(8), "Q/yn m38");
      QCOMPARE(f.dir.read("Default.fil"), yes ? QByteArray("Nueva\r\n") : QByteArray("OLD\r\n"));
      QVERIFY(f.editor->collections == 0 && f.configFiles().isEmpty());
    }
  }
  // A default that cannot be saved is told with the file's real path; the old one stays.
  void makeDefaultFailureNamesTheFile() {
    Fixture f;
    QVERIFY(QFile::rename(f.dir.file("Default.fil"), f.dir.file("default.FIL")));
    f.messages.answer = MessageAnswer::Yes;
    QWidget* w = f.open("GrabFich");
    Fixture::type(w, "Nueva");
    if (!test::FileSizeLimit::kAvailable) QSKIP("a full disk cannot be made on this platform");
    {
      test::FileSizeLimit diskFull(2);
      Fixture::click(w, "Command1");
    }
    QCOMPARE(f.messages.calls.size(), 2);
    const QString told = f.messages.calls[1].prompt;
    QVERIFY2(told.contains(QDir::toNativeSeparators(f.dir.file("default.FIL"))), qPrintable(told));
    QCOMPARE(f.dir.read("default.FIL"), test::TempProgramDir().read("Default.fil"));
  }

  // A good file fills ConfigLeida and shows it; a damaged one is named and changes nothing.
  void loadFillsConfigLeidaOrChangesNothing() {
    for (const bool damaged : {false, true}) {
      Fixture f;
      QString error;
      QVERIFY(writeQvtFile(f.dir.file("CONFIG/A.QVT"), numberedSet(7), &error));
      if (damaged)
        f.dir.write("CONFIG/A.QVT",
                    QByteArray(" 1 \r\nabc\r\n") + QByteArray(" 0 \r\n").repeated(61));
      f.context.configLeida = numberedSet(3);
      QWidget* w = f.open("LoadFich");
      Fixture::pick(w, "A.QVT");
      Fixture::click(w, "Command1");
      const ParameterSet expected = numberedSet(damaged ? 3 : 7);
      QCOMPARE(f.context.configLeida, expected);
      QCOMPARE(f.editor->shown, damaged ? QList<ParameterSet>{} : QList<ParameterSet>{expected});
      QCOMPARE(f.messages.shown().size(), damaged ? 1 : 0);
      if (damaged)
        QVERIFY(f.messages.shown()[0].startsWith("E ") && f.messages.shown()[0].contains("A.QVT"));
      QVERIFY(w->isVisible() && Fixture::leaveCaption(w) == (damaged ? "Leave unloaded" : "Exit"));
    }
  }
};

QTEST_MAIN(TestQvtFormat)
#include "test_qvtformat.moc"
