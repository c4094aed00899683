#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "fakeeditor.h"
#include "filesizelimit.h"
#include "files/grabfich.h"
#include "files/loadfich.h"
#include "files/qvtformat.h"
#include "files/register.h"

using namespace orvex;

namespace {

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

class TestFileWindows : public QObject {
  Q_OBJECT
 private slots:
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

  void pickingFillsTheName() {
    Fixture f;
    f.dir.write("CONFIG/Planta 2.QVT", "");
    QWidget* grab = f.open("GrabFich");
    Fixture::pick(grab, "Planta 2.QVT");
    QCOMPARE(Fixture::typed(grab), "Planta 2");
    QWidget* load = f.open("LoadFich");
    Fixture::pick(load, "Planta 2.QVT");
    QCOMPARE(load->findChild<QLabel*>("Label2")->text(), QStringLiteral("Planta 2"));
    Fixture::click(load, "Command2");  // kept between openings
    load->show();
    QCOMPARE(load->findChild<QLabel*>("Label2")->text(), QStringLiteral("Planta 2"));
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
  // Same name in other case: replaced; extension typed: added again.
  void savedFileName() {
    for (const auto& [typed, file] :
         {std::pair{"FABRICA", "fabrica.qvt"}, {"A.QVT", "A.QVT.QVT"}}) {
      Fixture f;
      f.dir.write("CONFIG/fabrica.qvt", "old");
      QWidget* w = f.open("GrabFich");
      Fixture::type(w, typed);
      Fixture::click(w, "Command3");
      QCOMPARE(f.dir.read(QStringLiteral("CONFIG/") + file),
               formatQvt(numberedSet(100)).toLatin1());
      QCOMPARE(Fixture::listed(w).size(), QLatin1String(file) == "fabrica.qvt" ? 1 : 2);
    }
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
  void actionWithoutANameSaysSo() {
    for (const auto& [window, title] : {std::pair{"GrabFich", "m37"}, {"LoadFich", "m40"}}) {
      Fixture f;
      Fixture::click(f.open(window), "Command1");
      QCOMPARE(f.messages.shown(), QStringList{QStringLiteral("E m36|") + title});
      QVERIFY(!QDir(f.dir.path()).entryList().contains("DEFAULT.FIL") && f.editor->shown.isEmpty());
    }
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

QTEST_MAIN(TestFileWindows)
#include "test_filewindows.moc"
