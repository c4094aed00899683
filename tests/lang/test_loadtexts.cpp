#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "lang/extratexts.h"
#include "lang/itemreader.h"
#include "lang/languages.h"
#include "lang/loadtexts.h"
#include "lang/textsfile.h"
#include "support/servicesfixture.h"
#include "support/tempprogramdir.h"
#include "textfixture.h"

using namespace orvex;
using namespace orvex::test;

namespace {

// A stand-in editor with a few of the controls the item table names.
QWidget* makeEditor() {
  auto* window = new QWidget;
  auto* tabs = new QTabWidget(window);
  tabs->setObjectName("SSTab1");
  for (int i = 0; i < 5; ++i) tabs->addTab(new QWidget, QStringLiteral("design %1").arg(i));
  tabs->setCurrentIndex(3);
  for (int i = 1; i <= 6; ++i)
    (new QPushButton(window))->setObjectName(QStringLiteral("Command%1").arg(i));
  return window;
}

QWidget* makeReport() {
  auto* window = new QWidget;
  (new QLabel(window))->setObjectName("Label3");
  return window;
}

template <typename T>
T* control(WindowRegistry& windows, const QString& window, const QString& name) {
  return windows.window(window)->findChild<T*>(name);
}

QStringList readAll(const QString& text) {
  ItemReader reader(text);
  QStringList items;
  QString item;
  while (reader.next(&item)) items.append(item);
  return items;
}

}  // namespace

class TestLoadTexts : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    fx_ = std::make_unique<ProgramDirFixture>();
    fx_->dir.write("textos.sys", fixtureTextFile());
    fx_->windows.add("ConfigQVT", makeEditor);
    fx_->windows.add("Report", makeReport);
  }
  void cleanup() { fx_.reset(); }
  void putsTextsOnEveryWindowAndTable() {
    QSignalSpy applied(&fx_->events, &AppEvents::languageApplied);
    QVERIFY(loadTexts(fx_->services, 900));
    WindowRegistry& w = fx_->windows;
    auto* tabs = control<QTabWidget>(w, "ConfigQVT", "SSTab1");
    QCOMPARE(tabs->tabText(0) + "|" + tabs->tabText(4),
             fixtureItem(900, 32) + "|" + fixtureItem(900, 119));
    QCOMPARE(control<QLabel>(w, "Report", "Label3")->text(),
             fixtureItem(900, 264) + QDir::toNativeSeparators(fx_->dir.path() + "Report/Txt"));
    const TextTables& t = fx_->context.texts;
    QCOMPARE((QStringList{t.screen[1], t.message[48], t.extra[32]}),
             (QStringList{fixtureItem(900, 2), fixtureItem(900, 268), fixtureItem(900, 300)}));
    QVERIFY(applied.count() == 1 && fx_->messages.calls.isEmpty());
    QCOMPARE(tabs->currentIndex(), 3);  // kept
    // GrabFich is not registered and the editor lacks most controls: skipped, not created.
    QVERIFY(!fx_->windows.existing("GrabFich"));
    QCOMPARE(fx_->context.texts.grabFichLeaveCaption, fixtureItem(900, 160));
    // Qt's own words follow the language: the message boxes' buttons.
    QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text() + box.button(QMessageBox::No)->text(),
             "&Ja&Nein");
  }
  void failureTellsOnceAndUsesBuiltInTexts_data() {
    QTest::addColumn<QByteArray>("file");  // empty: no file at all
    QTest::addColumn<int>("base");
    QTest::newRow("missing") << QByteArray() << 300;
    QTest::newRow("one item short") << fixtureTextFile(1200 + 267) << 1200;
    QTest::newRow("too large") << QByteArray(1024 * 1024 + 1, ',') << 900;
  }
  // No caption or message is left blank or in another language: the built-in block stands in.
  void failureTellsOnceAndUsesBuiltInTexts() {
    QFETCH(QByteArray, file);
    QFETCH(int, base);
    QFile::remove(fx_->dir.file("textos.sys"));
    if (!file.isEmpty()) fx_->dir.write("textos.sys", file);
    fx_->context.texts.screen[1] = "kept screen";
    fx_->context.texts.message[5] = "kept message";
    QWidget* editor = fx_->windows.window("ConfigQVT");
    editor->setWindowTitle("design title");
    QSignalSpy applied(&fx_->events, &AppEvents::languageApplied);

    QVERIFY(loadTexts(fx_->services, base));
    const QStringList shown = fx_->messages.shown();
    QCOMPARE(shown.size(), 1);
    const QString folder = QDir::toNativeSeparators(QDir(fx_->dir.path()).absolutePath());
    QVERIFY2(shown[0].startsWith("E ") && shown[0].contains("textos.sys") &&
                 shown[0].contains(folder),
             qPrintable(shown[0]));
    const QStringList builtIn = builtInTextBlock(base).items;
    const TextTables& t = fx_->context.texts;
    QCOMPARE(editor->windowTitle() + "|" + t.screen[1] + "|" + t.message[5] + "|" +
                 t.extra[extra::PortLost],
             builtIn[24] + "|" + builtIn[1] + "|" + builtIn[168] + "|" +
                 builtInTextBlock(base).extra[9]);
    QVERIFY(!t.extra[extra::SalvarHint].isEmpty());  // an extension item
    QCOMPARE(applied.count(), 1);
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
  // File and folder named, with the reason or the counts, in each language's own words.
  void failureMessageNamesFileAndFolder() {
    TextBlock block;
    block.path = "/opt/orvex/textos.sys";
    block.error = "Permission denied";
    block.itemsFound = 555;
    block.itemsNeeded = 568;
    using S = TextBlock::Status;
    for (const auto& [status, told] :
         {std::pair{S::Missing, ""}, {S::Unreadable, "Permission denied"}, {S::TooShort, "555"}}) {
      block.status = status;
      for (const int base : {0, 300, 600, 900, 1200}) {
        const QString prompt = textBlockFailurePrompt(block, base);
        QVERIFY2(prompt.contains("textos.sys") &&
                     prompt.contains(QDir::toNativeSeparators("/opt/orvex")) &&
                     prompt.contains(told) && !prompt.contains('%'),
                 qPrintable(prompt));
        QVERIFY(!textBlockFailureTitle(base).isEmpty());
        if (base != 300) QVERIFY(prompt != textBlockFailurePrompt(block, 300));
      }
    }
  }
  void readsItems_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("quoted, CR LF") << "\"a, b\"\r\n\"c,d,e\"\r\n" << QStringList{"a, b", "c,d,e"};
    QTest::newRow("LF line ends") << "\"one\"\n\"two\"\n" << QStringList{"one", "two"};
    QTest::newRow("lone CR line ends") << "\"one\"\r\"two\"\r" << QStringList{"one", "two"};
    QTest::newRow("one line") << "\"x\",\"y, z\",w" << QStringList{"x", "y, z", "w"};
    QTest::newRow("blanks") << "   \"  kept  \"\r\n\t  plain  \r\n"
                            << QStringList{"  kept  ", "plain"};
    QTest::newRow("unquoted") << "alpha  , beta\r\n" << QStringList{"alpha", "beta"};
    QTest::newRow("empty quoted item") << "\"\"\r\n\"b\"\r\n" << QStringList{"", "b"};
    QTest::newRow("empty item between commas") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("blank lines skipped") << "\"a\"\r\n\r\n\r\n\"b\"" << QStringList{"a", "b"};
    QTest::newRow("after closing quote") << "\"a\" junk, \"b\"\r\n" << QStringList{"a", "b"};
    QTest::newRow("line end inside quotes kept") << "\"a\r\nb\",c" << QStringList{"a\r\nb", "c"};
    QTest::newRow("unterminated quote runs to end") << "\"a,b" << QStringList{"a,b"};
    QTest::newRow("empty text") << "" << QStringList{};
  }
  void readsItems() {
    QFETCH(QString, text);
    QTEST(readAll(text), "items");
  }
  // clang-format off
  void scansMarker_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("marker");  // "-": none found
    QTest::newRow("marker and line end") << "$ENGLISH$\r\n" << "$ENGLISH$";
    QTest::newRow("leading text ignored") << "lang=$NORWEGIAN$ rest" << "$NORWEGIAN$";
    QTest::newRow("third dollar ignored") << "$A$B$" << "$A$";
    QTest::newRow("two dollars side by side") << "$$" << "$$";
    QTest::newRow("empty") << "" << "-";
    QTest::newRow("one dollar") << "$ENGLISH" << "-";
    QTest::newRow("no dollar, long") << QString(80, 'x') << "-";
    QTest::newRow("second dollar at 50") << QString(41, ' ') + "$ENGLISH$" + QString(10, ' ') << "$ENGLISH$";
    QTest::newRow("second dollar at 51") << QString(42, ' ') + "$ENGLISH$" + QString(10, ' ') << "-";
    QTest::newRow("first dollar at 50, second beyond") << QString(49, ' ') + "$ENGLISH$" << "-";
  }
  // clang-format on
  void scansMarker() {
    QFETCH(QString, content);
    QTEST(scanLanguageMarker(content).value_or("-"), "marker");
  }
  // The start-up test runs the common choices through the whole start; these are the rest.
  // clang-format off
  void startupChoice_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("choice");  // marker, base, then matched, message, rewrite as bits
    QTest::newRow("english") << "$ENGLISH$\r\n" << "$ENGLISH$ 300 100";
    QTest::newRow("one dollar is damaged") << "ENGLISH$" << "$ENGLISH$ 300 011";
  }
  // clang-format on
  void startupChoice() {
    QFETCH(QString, content);
    const StartupLanguage c = chooseStartupLanguage(true, content);
    QTEST(QStringLiteral("%1 %2 %3%4%5")
              .arg(c.marker)
              .arg(c.base)
              .arg(int(c.matched))
              .arg(int(c.showMessage))
              .arg(int(c.rewriteFile)),
          "choice");
    QCOMPARE(c.fileSound, !c.showMessage);
  }
  void cp1252RoundTripsEveryDefinedByte() {
    for (int b = 0; b < 256; ++b) {
      const QByteArray one(1, static_cast<char>(b));
      QCOMPARE(toCp1252(fromCp1252(one)), one);
    }
  }
  void cp1252MapsTheWindowsOnlyCharacters() {
    QCOMPARE(fromCp1252(QByteArray("\x80\x93\x94", 3)), QStringLiteral(u"€“”"));
    QCOMPARE(toCp1252(QStringLiteral(u"FRANÇAIS")), QByteArray("FRAN\307AIS"));
    bool lossless = true;
    QCOMPARE(toCp1252(QStringLiteral(u"a\u4E2Db"), &lossless), QByteArray("a?b"));
    QVERIFY(!lossless);
  }

 private:
  std::unique_ptr<ProgramDirFixture> fx_;
};

QTEST_MAIN(TestLoadTexts)
#include "test_loadtexts.moc"
