// Every window of the program together: no caption cut off in any of the five languages;
// and the program folder the program chooses at start.
#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include "common/ui/appservices.h"
#include "lang/languages.h"
#include "lang/loadtexts.h"
#include "programdir.h"
#include "support/tempprogramdir.h"
#include "support/wholeprogram.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct Program : WholeProgram {
  Program() {
    for (const QString& name : windows.names()) windows.window(name);
  }
};

QString where(const QWidget* window, const QWidget* control, const QString& text) {
  return QStringLiteral("%1.%2 \"%3\"").arg(window->objectName(), control->objectName(), text);
}

// Captions that do not fit the control they stand on, among the visible controls of a window.
QStringList cutOffCaptions(QWidget* window) {
  QStringList cut;
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty() || label->pixmap().cacheKey() != 0) continue;
    const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                        : label->sizeHint().width() <= label->width() + 1;
    if (!fits) cut << where(window, label, label->text());
  }
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (!button->isVisible() || button->text().isEmpty()) continue;
    if (button->sizeHint().width() > button->width() + 1)
      cut << where(window, button, button->text());
  }
  for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
    if (!frame->isVisible() || frame->title().isEmpty()) continue;
    if (frame->fontMetrics().horizontalAdvance(frame->title()) + 16 > frame->width())
      cut << where(window, frame, frame->title());
  }
  return cut;
}

// Each tab page in turn, so hidden pages get laid out and checked too.
QStringList cutOffCaptionsOnEveryPage(QWidget* window) {
  window->show();
  QCoreApplication::processEvents();
  QStringList cut = cutOffCaptions(window);
  for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      QCoreApplication::processEvents();
      cut += cutOffCaptions(tabs->widget(i));
    }
  }
  window->hide();
  cut.removeDuplicates();
  return cut;
}

bool writable(const QString&) { return true; }
bool readOnly(const QString&) { return false; }

}  // namespace

class TestAllWindows : public QObject {
  Q_OBJECT
 private slots:
  void captionsFitInEveryLanguage_data() {
    QTest::addColumn<int>("base");
    for (const Language& language : languages())
      QTest::newRow(QString::fromUtf16(language.marker).toUtf8()) << language.base;
  }
  void captionsFitInEveryLanguage() {
    QFETCH(int, base);
    Program program;
    QVERIFY(loadTexts(program.services, base));
    QCOMPARE(program.messages.shown(), QStringList());
    QStringList cut;
    for (const QString& name : program.windows.names())
      cut += cutOffCaptionsOnEveryPage(program.windows.window(name));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join("\n")));
  }
  // An upgrade: the user's files of the earlier version stay, its texts are replaced.
  void readOnlyFillsTheUserFolderKeepingTheUsersFiles() {
    TempProgramDir own, start(false), user(false);
    const QByteArray mine[][2] = {{"confcom.sys", "COM3:19200,N,8,1\r\n"},
                                  {"DEFAULT.FIL", "MINE\r\n"},
                                  {"conflang.sys", "$DEUTSCHLAND$\r\n"},
                                  {"config/MINE.QVT", "1\r\n"},
                                  {"config/FACTORY.QVT", "changed by the user\r\n"},
                                  {"Report/Txt/SN-1.txt", "a report\r\n"}};
    for (const auto& [file, content] : mine) user.write(file, content);
    user.write("TEXTOS.SYS", own.read("textos.sys").replace("V5.0", "V4.9"));
    FolderProblem problem;
    QCOMPARE(chooseProgramDir({own.path(), start.path(), user.path(), readOnly}, &problem),
             user.path());
    QVERIFY(!problem);
    for (const auto& [file, content] : mine) QCOMPARE(user.read(file), content);
    // No second file in another case (listed by name: a Windows disk ignores case).
    const QStringList names = QDir(user.path()).entryList();
    QVERIFY(!names.contains("Default.fil") && !names.contains("CONFIG") &&
            !names.contains("textos.sys"));
    QCOMPARE(user.read("TEXTOS.SYS"), own.read("textos.sys"));
    QVERIFY(QFileInfo(user.file("Report/Doc")).isDir());
  }
  // A folder that cannot be made is told with its reason; meanwhile the delivered files are read.
  void aFolderThatCannotBeMadeIsTold() {
    TempProgramDir root(false), home(false);
    root.write("share/orvex/textos.sys", "texts");
    QVERIFY(QDir().mkpath(root.file("bin")));
    home.write(".local", "a file where the folder would be");
    FolderProblem problem;
    QCOMPARE(chooseProgramDir({root.file("bin"), home.path(), home.file(".local/share/orvex"),
                               writable},
                              &problem),
             root.file("share/orvex/"));
    QVERIFY(problem.kind == FolderProblem::Kind::FolderNotMade);
    QCOMPARE(folderProblemText(problem, nullptr),
             QStringLiteral("The folder %1, which keeps your settings, configurations and reports, "
                            "cannot be made: %2 is a file, not a folder. The program reads the "
                            "delivered files from %3; nothing can be saved until the folder can "
                            "be made.")
                 .arg(QDir::toNativeSeparators(home.file(".local/share/orvex")),
                      QDir::toNativeSeparators(home.file(".local")),
                      QDir::toNativeSeparators(root.file("share/orvex"))));
  }
};

QTEST_MAIN(TestAllWindows)
#include "test_allwindows.moc"
