#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "fakeeditor.h"
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
  QWidget* open(const char* name) {
    QWidget* w = windows.window(QLatin1String(name));
    w->show();
    return w;
  }
  static void click(QWidget* w, const char* button) {
    w->findChild<QPushButton*>(QLatin1String(button))->click();
  }
  static QString caption(QWidget* w, const char* button) {
    return w->findChild<QPushButton*>(QLatin1String(button))->text();
  }
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
  void openingAndLeaving_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("keptCaption");
    QTest::newRow("GrabFich") << "GrabFich" << "Leave unsaved";
    QTest::newRow("LoadFich") << "LoadFich" << "Leave unloaded";
  }
  void openingAndLeaving() {
    QFETCH(QString, window);
    QFETCH(QString, keptCaption);
    Fixture f;
    f.dir.write("CONFIG/b.qvt", "");
    f.dir.write("CONFIG/A.QVT", "");
    f.dir.write("CONFIG/notes.txt", "");
    QWidget* w = f.open(window.toUtf8().constData());
    QVERIFY(!f.editor->buttonsEnabled);
    QCOMPARE(Fixture::listed(w), (QStringList{"A.QVT", "b.qvt"}));
    QCOMPARE(Fixture::caption(w, "Command2"), keptCaption);
    Fixture::click(w, "Command2");
    QVERIFY(!w->isVisible());
    QVERIFY(f.editor->buttonsEnabled);
    // Every opening, not only the first; a file added meanwhile shows up.
    f.dir.write("CONFIG/C.QVT", "");
    w->show();
    QVERIFY(!f.editor->buttonsEnabled);
    QCOMPARE(Fixture::listed(w).size(), 3);
    w->close();  // the frame's close control
    QVERIFY(!w->isVisible());
    QVERIFY(f.editor->buttonsEnabled);
  }

  void eachDialogHoldsTheButtonsOnce() {
    Fixture f;
    QWidget* grab = f.open("GrabFich");
    QWidget* load = f.open("LoadFich");
    grab->show();  // shown again while open: no second hold
    QCOMPARE(f.editor->holds, 2);
    Fixture::click(grab, "Command2");
    grab->close();  // left already: must not release the load dialog's hold
    QVERIFY(!f.editor->buttonsEnabled);
    load->close();
    QVERIFY(f.editor->buttonsEnabled);
    QCOMPARE(f.editor->holds, 0);
  }

  void pickingFillsTheName() {
    Fixture f;
    f.dir.write("CONFIG/Planta 2.QVT", "");
    QWidget* grab = f.open("GrabFich");
    Fixture::pick(grab, "Planta 2.QVT");
    QCOMPARE(grab->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("Planta 2"));
    QWidget* load = f.open("LoadFich");
    Fixture::pick(load, "Planta 2.QVT");
    QCOMPARE(load->findChild<QLabel*>("Label2")->text(), QStringLiteral("Planta 2"));
    // Kept between openings.
    Fixture::click(load, "Command2");
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
    QCOMPARE(Fixture::caption(w, "Command2"), QStringLiteral("Exit"));
    QVERIFY(w->isVisible());
    // Replaced without a question.
    f.editor->editorSet = numberedSet(-50);
    Fixture::click(w, "Command3");
    QCOMPARE(f.dir.read("CONFIG/Planta 2.QVT"), formatQvt(numberedSet(-50)).toLatin1());
    QVERIFY(f.messages.calls.isEmpty());
    // Leaving restores the kept caption for the next opening.
    Fixture::click(w, "Command2");
    w->show();
    QCOMPARE(Fixture::caption(w, "Command2"), QStringLiteral("Leave unsaved"));
    QCOMPARE(w->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("Planta 2"));
  }
  void savedFileName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("file");
    QTest::newRow("same name, other case: replaced") << "FABRICA" << "fabrica.qvt";
    QTest::newRow("extension typed: added again") << "A.QVT" << "A.QVT.QVT";
  }
  void savedFileName() {
    QFETCH(QString, typed);
    QFETCH(QString, file);
    Fixture f;
    f.dir.write("CONFIG/fabrica.qvt", "old");
    QWidget* w = f.open("GrabFich");
    Fixture::type(w, typed);
    Fixture::click(w, "Command3");
    QCOMPARE(f.dir.read("CONFIG/" + file), formatQvt(numberedSet(100)).toLatin1());
    QCOMPARE(Fixture::listed(w).size(), file == "fabrica.qvt" ? 1 : 2);
  }
  void failedSaveSaysWhyAndKeepsTheDialog_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folderGone");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << "" << false << "m39";
    QTest::newRow("separator") << "../Default" << false << "File name not valid";
    QTest::newRow("no CONFIG folder") << "X" << true << "File not written";
  }
  void failedSaveSaysWhyAndKeepsTheDialog() {
    QFETCH(QString, name);
    QFETCH(bool, folderGone);
    Fixture f;
    if (folderGone) QVERIFY(QDir(f.dir.file("CONFIG")).removeRecursively());
    QWidget* w = f.open("GrabFich");
    Fixture::type(w, name);
    Fixture::click(w, "Command3");
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].icon, MessageIcon::Exclamation);
    QTEST(f.messages.calls[0].title, "title");
    if (folderGone) QVERIFY(f.messages.calls[0].prompt.contains(QStringLiteral("X.QVT")));
    else QCOMPARE(f.editor->collections, 0);
    QVERIFY(QDir(f.dir.file("CONFIG")).entryList(QDir::Files).isEmpty());
    QCOMPARE(Fixture::caption(w, "Command2"), QStringLiteral("Leave unsaved"));
  }

  void makeDefaultAsksWithNoAsDefault_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("No") << false;
    QTest::newRow("Yes") << true;
  }
  void makeDefaultAsksWithNoAsDefault() {
    QFETCH(bool, yes);
    Fixture f;
    f.dir.write("Default.fil", "OLD\r\n");
    f.messages.answer = yes ? MessageAnswer::Yes : MessageAnswer::No;
    QWidget* w = f.open("GrabFich");
    Fixture::type(w, "Nueva");
    Fixture::click(w, "Command1");
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].icon, MessageIcon::Question);
    QCOMPARE(f.messages.calls[0].buttons, MessageButtons::YesNoDefaultNo);
    QCOMPARE(f.messages.calls[0].prompt, QStringLiteral("m38"));
    QCOMPARE(f.dir.read("Default.fil"), yes ? QByteArray("Nueva\r\n") : QByteArray("OLD\r\n"));
    // The configuration itself is neither collected nor written.
    QCOMPARE(f.editor->collections, 0);
    QVERIFY(QDir(f.dir.file("CONFIG")).entryList(QDir::Files).isEmpty());
  }
  void actionWithoutANameSaysSo_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("make default") << "GrabFich" << "m37";
    QTest::newRow("load") << "LoadFich" << "m40";
  }
  void actionWithoutANameSaysSo() {
    QFETCH(QString, window);
    QFETCH(QString, title);
    Fixture f;
    Fixture::click(f.open(window.toUtf8().constData()), "Command1");
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].prompt, QStringLiteral("m36"));
    QCOMPARE(f.messages.calls[0].title, title);
    QVERIFY(!QFile::exists(f.dir.file("DEFAULT.FIL")));
    QVERIFY(f.editor->shown.isEmpty());
  }

  void loadFillsConfigLeidaAndShowsIt() {
    Fixture f;
    QString error;
    QVERIFY(writeQvtFile(f.dir.file("CONFIG/Good.QVT"), numberedSet(7), &error));
    QWidget* w = f.open("LoadFich");
    Fixture::pick(w, "Good.QVT");
    Fixture::click(w, "Command1");
    QVERIFY(f.messages.calls.isEmpty());
    QCOMPARE(f.context.configLeida, numberedSet(7));
    QCOMPARE(f.editor->shown, QList<ParameterSet>{numberedSet(7)});
    QCOMPARE(Fixture::caption(w, "Command2"), QStringLiteral("Exit"));
    QVERIFY(w->isVisible());
  }
  void damagedFileChangesNothing() {
    Fixture f;
    f.dir.write("CONFIG/Bad.QVT", QByteArray(" 1 \r\nabc\r\n") + QByteArray(" 0 \r\n").repeated(61));
    f.context.configLeida = numberedSet(3);
    QWidget* w = f.open("LoadFich");
    Fixture::pick(w, "Bad.QVT");
    Fixture::click(w, "Command1");
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].icon, MessageIcon::Exclamation);
    QVERIFY(f.messages.calls[0].prompt.contains(QStringLiteral("Bad.QVT")));
    QCOMPARE(f.context.configLeida, numberedSet(3));
    QVERIFY(f.editor->shown.isEmpty());
    QCOMPARE(Fixture::caption(w, "Command2"), QStringLiteral("Leave unloaded"));
  }
  void worksWithoutAnEditor() {
    test::TempProgramDir dir;
    ProgramContext context;
    context.programDir = dir.path();
    WindowRegistry windows;
    test::RecordingMessageBoxes messages;
    AppEvents events;
    AppServices services{context, windows, messages, events};
    registerFileWindows(services);
    QWidget* w = windows.window("GrabFich");
    w->show();
    Fixture::type(w, "Z");
    Fixture::click(w, "Command3");
    QVERIFY(QFile::exists(dir.file("CONFIG/Z.QVT")));
    w->close();
    windows.unloadAll({});
  }
};

QTEST_MAIN(TestFileWindows)
#include "test_filewindows.moc"
