#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../files/fakeeditor.h"
#include "../files/filesizelimit.h"
#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/textsfile.h"
#include "lang/loadtexts.h"
#include "reportfixtures.h"
#include "reports/register.h"
#include "reports/reportrender.h"
#include "reports/reportwindow.h"

using namespace orvex;

namespace {

struct Fixture : test::WindowFixture {
  explicit Fixture(const QString& language = QStringLiteral("es")) {
    for (int n = 1; n <= 48; ++n) context.texts.message[n] = QStringLiteral("m%1").arg(n);
    const ReportInput sample = test::handWorkedInput(language);
    context.texts.report = sample.texts;
    editor->editorSet = sample.set;
    for (auto it = sample.numberBoxes.begin(); it != sample.numberBoxes.end(); ++it)
      editor->boxes.insert(it.key(), it.value());
    registerReportWindows(services);
    window = windows.get<Report>(QStringLiteral("Report"));
    window->show();
  }
  void generate(const QString& serial) {
    window->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(serial);
    window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  }
  // "print": Print and Open act; "told": both are off and a line says why.
  QString printState() const {
    const bool print = window->findChild<QPushButton*>(QStringLiteral("Command3"))->isEnabled();
    const bool open = window->findChild<QPushButton*>(QStringLiteral("Command4"))->isEnabled();
    const auto* why = window->findChild<QLabel*>(QStringLiteral("Label7"));
    const bool told = why && !why->text().isEmpty();
    if (print && open && !told) return QStringLiteral("print");
    return !print && !open && told ? QStringLiteral("told") : QStringLiteral("mixed");
  }
  Report* window = nullptr;
};

// The text of a PDF as poppler reads it back, white space folded.
QString pdfText(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  if (!pdftotext.waitForFinished(10'000)) return QStringLiteral("pdftotext did not run");
  return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}

}  // namespace

class TestReportWindow : public QObject {
  Q_OBJECT
 private slots:
  void generatesFromTheCollectedEditor() {
    const QString language = QStringLiteral("en");
    Fixture f(language);
    f.context.configEditada = ParameterSet{};  // stale: the report must collect first
    f.generate(QStringLiteral("SN 0042"));
    QVERIFY(f.editor->collections == 1 && f.messages.calls.isEmpty() && !f.window->isVisible());
    QCOMPARE(f.window->serialNumber(), QStringLiteral("SN 0042"));
    QCOMPARE(f.dir.read("Report/Txt/SN 0042.txt"),
             renderReport(test::handWorkedInput(language)).toLatin1());
    QVERIFY(f.window->findChild<QLabel*>("Status")->text().contains("SN 0042.txt"));
  }
  // The document holds every value of the data file, in the language chosen.
  void documentAgreesWithTheDataFile() {
#ifdef Q_OS_WIN
    QSKIP("pdftotext, which reads the document back, is a Linux tool");
#endif
    for (const auto& [base, title] : {std::pair{0, u"INFORME DE CONFIGURACIÓN ORVEX"},
                                      std::pair{900, u"ORVEX KONFIGURATIONSBERICHT"}}) {
      Fixture f;
      QVERIFY(loadTexts(f.services, base));
      f.generate(QStringLiteral("SN-77"));
      QCOMPARE(f.messages.shown(), QStringList());
      const QString text = pdfText(f.dir.file("Report/Doc/SN-77.pdf"));
      QVERIFY2(text.startsWith(QString::fromUtf16(title)), qPrintable(text.left(80)));
      // Compared without white space: how a reader spaces table cells is its own affair.
      const QString letters = QString(text).remove(' ');
      const QString valueLine =
          QString::fromLatin1(f.dir.read("Report/Txt/SN-77.txt")).section("\r\n", 1, 1);
      for (const QString& value : valueLine.split('\t'))
        QVERIFY2(letters.contains(value.simplified().remove(' ')), qPrintable(value));
    }
  }
  // The data file is written and stays; the missing document is told once.
  void documentFailureKeepsTheDataFile() {
    Fixture f;
    QVERIFY(QDir(f.dir.file("Report/Doc")).removeRecursively());
    f.generate(QStringLiteral("SN2"));
    QCOMPARE(f.messages.shown().size(), 1);
    QVERIFY2(f.messages.shown()[0].contains("SN2.pdf") && f.messages.shown()[0].contains("SN2.txt"),
             qPrintable(f.messages.shown()[0]));
    QVERIFY(f.window->isVisible() && QFile::exists(f.dir.file("Report/Txt/SN2.txt")));
    QCOMPARE(f.printState(), "told");
  }
  // A document the disk cuts short replaces nothing and is told. Print and Open act only on
  // a document made for the serial shown: never on an earlier serial's.
  void documentCutShortKeepsTheOldOne() {
    if (!test::FileSizeLimit::kAvailable) QSKIP("a full disk cannot be made on this platform");
    Fixture f;
    QCOMPARE(f.printState(), "told");
    f.generate(QStringLiteral("GUI-400V"));
    QCOMPARE(f.printState(), "print");
    const QByteArray good = f.dir.read("Report/Doc/GUI-400V.pdf");
    f.window->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("GUI-RO"));
    QCOMPARE(f.printState(), "told");
    {
      test::FileSizeLimit diskFull(8 * 1024);  // room for the data file, not the document
      f.generate(QStringLiteral("GUI-RO"));
      QCOMPARE(f.printState(), "told");
      f.generate(QStringLiteral("GUI-400V"));
    }
    QCOMPARE(f.dir.read("Report/Doc/GUI-400V.pdf"), good);
    QVERIFY(!QFile::exists(f.dir.file("Report/Doc/GUI-RO.pdf")));
    const QStringList shown = f.messages.shown();
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown[0].contains("GUI-RO.pdf") && shown[1].contains("GUI-400V.pdf"),
             qPrintable(shown.join('\n')));
    // Why, in the program's words: the system's are for standard error.
    const QString why = builtInTextBlock(kEnglishBase).extra.value(extra::WriteRefused - 1);
    QVERIFY2(!why.isEmpty() && shown[0].contains(why), qPrintable(shown[0]));
    QCOMPARE(f.printState(), "told");
    QVERIFY(loadTexts(f.services, 900));  // the status line follows the language
    QCOMPARE(f.window->findChild<QLabel*>("Status")->text(),
             QDir::toNativeSeparators("Berichtsdatei " + f.dir.file("Report/Txt/GUI-400V.txt") +
                                      " geschrieben."));
  }
  // Nothing collected or written; the window stays with the serial typed.
  // clang-format off
  void failuresKeepTheWindowAndSayWhy_data() {
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty serial") << "" << "E m47|m48";
    QTest::newRow("unsafe serial") << "SN/1" << "|File name not valid";
    QTest::newRow("no Report/Txt") << "SN1" << "|File not written";
  }
  // clang-format on
  void failuresKeepTheWindowAndSayWhy() {
    QFETCH(QString, serial);
    QFETCH(QString, shown);
    Fixture f;
    if (serial == "SN1") QVERIFY(QDir(f.dir.file("Report/Txt")).removeRecursively());
    f.generate(serial);
    QCOMPARE(f.messages.shown().size(), 1);
    QVERIFY2(f.messages.shown()[0].endsWith(shown), qPrintable(f.messages.shown()[0]));
    QVERIFY(f.window->isVisible() && f.window->findChild<QLineEdit*>("Text1")->text() == serial);
    QVERIFY(QDir(f.dir.file("Report/Txt")).entryList(QDir::Files).isEmpty());
    if (serial.isEmpty()) QCOMPARE(f.editor->collections, 0);
  }
};

QTEST_MAIN(TestReportWindow)
#include "test_reportwindow.moc"
