#include <QDir>
#include <QLabel>
#include <QDesktopServices>
#include <QFile>
#include <QTemporaryDir>
#include <QProcess>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "../files/fakeeditor.h"
#include "../files/filesizelimit.h"
#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/textsfile.h"
#include "lang/loadtexts.h"
#include "reportfixtures.h"
#include "common/cp1252.h"
#include "reports/register.h"
#include "reports/reportdocument.h"
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
 public slots:
  void urlOpened(const QUrl& url) { opened_ << url; }

 private:
  // The xdg-mime first on the path (see initTestCase) names `desktopFile` for PDF documents.
  void namePdfViewer(const QByteArray& desktopFile) {
    QFile tool(bin_.filePath("xdg-mime"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\necho " + desktopFile + "\n");
    tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner);
  }
  QTemporaryDir bin_;
  QList<QUrl> opened_;

 private slots:
  void initTestCase() { qputenv("PATH", bin_.path().toLocal8Bit() + ':' + qgetenv("PATH")); }
  // The window stays on the confirmation, Print and Open at hand, closed in one click.
  void generatesFromTheCollectedEditor() {
    const QString language = QStringLiteral("en");
    Fixture f(language);
    f.context.configEditada = ParameterSet{};  // stale: the report must collect first
    f.generate(QStringLiteral("SN 0042"));
    QVERIFY(f.editor->collections == 1 && f.messages.calls.isEmpty() && f.window->isVisible());
    QCOMPARE(f.window->serialNumber(), QStringLiteral("SN 0042"));
    QCOMPARE(f.dir.read("Report/Txt/SN 0042.txt"),
             renderReport(test::handWorkedInput(language)).toLatin1());
    QVERIFY(f.window->findChild<QLabel*>("Status")->text().contains("SN 0042.txt"));
    QCOMPARE(f.printState(), "print");
#ifndef Q_OS_WIN  // Windows opens with the program it has for PDF documents, or asks
    // The desktop would start its opener, which finds no program for PDF documents and tells
    // no one: told here, as such, the file being there. Where one is named, it is opened.
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "urlOpened");
    auto* open = f.window->findChild<QPushButton*>(QStringLiteral("Command4"));
    namePdfViewer("");
    open->click();
    QTRY_COMPARE(f.messages.shown().size(), 1);
    QVERIFY2(f.messages.shown()[0].startsWith("I ") &&
                 f.messages.shown()[0].endsWith("|No PDF viewer"),
             qPrintable(f.messages.shown()[0]));
    namePdfViewer("viewer.desktop");
    open->click();
    QTRY_COMPARE(opened_.size(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(opened_[0].toLocalFile(), f.dir.file("Report/Doc/SN 0042.pdf"));
    QCOMPARE(f.messages.shown().size(), 1);
#endif
    auto* close = f.window->findChild<QPushButton*>(QStringLiteral("Command2"));
    QCOMPARE(close->text(), "Close");
    close->click();
    QVERIFY(!f.window->isVisible());
  }
  // The values of the last read, named by port; the editor's, by the file they were loaded
  // from until changed. Customer and site are printed and kept for the next report.
  void namesWhereTheValuesCameFrom() {
#ifdef Q_OS_WIN
    QSKIP("pdftotext, which reads the document back, is a Linux tool");
#endif
    Fixture f(QStringLiteral("en"));
    ParameterSet read = f.editor->editorSet;
    read[kModelSlot] = 1;
    read[1] = 10;  // 400 V
    f.context.lastRead = {ValuesOrigin::Kind::Controller, "COM2", QDateTime::currentDateTime(),
                          read};
    f.context.editorOrigin = {ValuesOrigin::Kind::File, "PLANT.QVT", {}, f.editor->editorSet};
    f.window->hide();
    f.window->show();
    f.window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("ACME"));
    f.window->findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QStringLiteral("Bergen"));
    f.window->findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
    f.generate(QStringLiteral("SN-R"));
    const QString fromRead = pdfText(f.dir.file("Report/Doc/SN-R.pdf"));
    QVERIFY2(fromRead.contains("read from the controller on COM2") && fromRead.contains("400 V") &&
                 fromRead.contains("ORVEX") && fromRead.contains("ACME") &&
                 fromRead.contains("Bergen"),
             qPrintable(fromRead));
    QCOMPARE(f.dir.read("confrep.sys"), QByteArray("ACME\r\nBergen\r\n"));
    Report next(f.services);
    QCOMPARE(next.findChild<QLineEdit*>(QStringLiteral("Text2"))->text(), QStringLiteral("ACME"));

    f.window->findChild<QRadioButton*>(QStringLiteral("Option1"))->click();
    f.generate(QStringLiteral("SN-F"));
    QVERIFY(pdfText(f.dir.file("Report/Doc/SN-F.pdf")).contains("configuration file PLANT.QVT"));
    f.editor->editorSet[1] = 1;  // changed in the editor, not saved
    f.generate(QStringLiteral("SN-E"));
    QVERIFY(pdfText(f.dir.file("Report/Doc/SN-E.pdf")).contains("changed and not saved"));
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
      // The data file keeps its fixed notation; the document writes numbers as the reader does.
      ReportInput input = test::handWorkedInput(QStringLiteral("es"));
      input.texts = f.context.texts.report;
      input.serialNumber = QStringLiteral("SN-77");
      QCOMPARE(f.dir.read("Report/Txt/SN-77.txt"), toCp1252(renderReport(input)));
      QVERIFY(f.dir.read("Report/Txt/SN-77.txt").contains("(49.75 Hz)"));
      for (const QString& value : renderReportValues(input, reportNotation(f.context.texts)))
        QVERIFY2(letters.contains(value.simplified().remove(' ')), qPrintable(value));
      QVERIFY(letters.contains("(49,75Hz)"));
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
