// Every window of the program together, as the program registers them: the text table's
// controls all exist, and no caption is cut off in any of the five languages.
#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include "common/ui/appservices.h"
#include "lang/languages.h"
#include "lang/loadtexts.h"
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

}  // namespace

class TestAllWindows : public QObject {
  Q_OBJECT
 private slots:
  void everyNamedControlExists() {
    Program program;
    QVERIFY(program.windows.names().size() >= 8);
    const QStringList missing = missingCaptionControls(program.windows);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
  }
  // The parity options and the report's cancel button, which the item list leaves out.
  void captionsBeyondTheItemListFollowTheLanguage() {
    Program program;
    const auto captions = [&](const char* window, QList<const char*> controls) {
      QStringList texts;
      for (const char* control : controls)
        texts << program.windows.window(window)->findChild<QAbstractButton*>(control)->text();
      return texts.join('|');
    };
    QVERIFY(loadTexts(program.services, 900));  // Deutsch
    QCOMPARE(captions("ConfigCOM", {"ParidadImpar"}) + captions("Report", {"Command2"}),
             "UngeradeAbbrechen");
    QVERIFY(loadTexts(program.services, 0));  // Castellano: the design's own words
    QCOMPARE(captions("ConfigCOM", {"ParidadNo", "ParidadPar"}), QString("Ninguna|Par"));
  }
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
};

QTEST_MAIN(TestAllWindows)
#include "test_allwindows.moc"
