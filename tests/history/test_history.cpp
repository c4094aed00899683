// The copy kept before every write and the history of writes: history.csv and its bounds,
// then Graba QVT with its copy, the Historial window and a write back, on the virtual clock.
#include <QFile>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "common/ui/appservices.h"
#include "compare/compara.h"
#include "config/factoryset.h"
#include "config/ui/configqvt.h"
#include "files/qvtformat.h"
#include "history/copiedwrite.h"
#include "history/historial.h"
#include "link/transferrig.h"
#include "programwindows.h"

using namespace orvex;
using namespace orvex::test;

namespace {

HistoryEntry entry(const QString& port, const QString& before, int minute = 0) {
  return {QDateTime(QDate(2026, 12, 7), QTime(14, minute, 2)),
          port,
          "/dev/pts/3",
          "CONFIG/A.QVT",
          "verified",
          before,
          {},
          2};
}

// The whole program over a controller that holds another configuration than the editor's.
struct Rig : LinkBench {
  ParameterSet other = factoryParameterSet();

  Rig() : LinkBench(true) {
    registerProgramWindows(services);
    other[1] = 1;   // 63 V
    other[3] = 1;   // +2 %
    other[46] = 5;  // reserved: kept as read
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
      if (slot != kModelSlot) instrument.setReg(slot, quint16(other[slot]));
    editor();
  }
  ConfigQVT* editor() { return windows.get<ConfigQVT>("ConfigQVT"); }
  Historial* historial() { return windows.get<Historial>("Historial"); }
  void graba() { editor()->findChild<QPushButton*>("Command5")->click(); }
  int blockReads() const {
    return int(std::count_if(port.written().begin(), port.written().end(),
                             [](const QByteArray& f) { return f.at(1) == 0x05; }));
  }
  int registerWrites() const {
    return int(std::count_if(port.written().begin(), port.written().end(),
                             [](const QByteArray& f) { return f.at(1) == 0x06; }));
  }
  QList<HistoryEntry> history() const {
    QList<HistoryEntry> entries;
    QString problem;
    return readHistory(dir.path(), &entries, &problem) ? entries : QList<HistoryEntry>{};
  }
  ParameterSet file(const QString& relative) const {
    ParameterSet set;
    QString problem;
    return readQvtFile(dir.file(relative), &set, &problem) ? set : ParameterSet{};
  }
  ParameterSet registers() const {
    ParameterSet set;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) set[slot] = qint16(instrument.reg(slot));
    return set;
  }
};

}  // namespace

class TestHistory : public QObject {
  Q_OBJECT
 private slots:
  // Fields a spreadsheet splits on come back whole; the oldest lines and their copies go,
  // never a port's last copy, and never a file outside History that a line names.
  void historyFileKeepsItsFieldsAndItsBounds() {
    TempProgramDir dir(false);
    HistoryEntry odd = entry("COM1", "History/x.QVT");
    odd.source = "CONFIG/Site North, pump 2.QVT";
    odd.device = "\\\\.\\COM1 \"USB\"";
    const HistoryEntry back = parseHistory(formatHistory({odd, entry("COM2", {})})).value(0);
    QCOMPARE(back.source + back.device, odd.source + odd.device);
    QCOMPARE(parseHistory(formatHistory({odd})).value(0).time, odd.time);

    QList<HistoryEntry> full;
    full << entry("COM2", "History/20261207-140002-COM2-before.QVT");  // COM2's only copy
    full << entry("COM1", "CONFIG/A.QVT");                             // edited by hand
    for (int i = 2; i < kHistoryWritesKept; ++i)
      full << entry("COM1", QStringLiteral("History/20261207-14%1-COM1-before.QVT")
                                .arg(i % 60, 4, 10, QChar('0')));
    dir.write("History/history.csv", formatHistory(full).toUtf8());
    for (const QString& copy : {full[0].before, full[2].before}) dir.write(copy, "1");
    dir.write("CONFIG/A.QVT", "1");
    QString error;
    QVERIFY(appendHistory(dir.path(), entry("COM1", "History/new.QVT"), &error));
    QVERIFY(appendHistory(dir.path(), entry("COM1", "History/newer.QVT"), &error));
    QList<HistoryEntry> kept;
    QVERIFY(readHistory(dir.path(), &kept, &error));
    QCOMPARE(kept.size(), kHistoryWritesKept);
    QCOMPARE(kept[0].port + kept[1].before, "COM2" + full[3].before);
    QVERIFY(QFile::exists(dir.file(full[0].before)) && QFile::exists(dir.file("CONFIG/A.QVT")));
    QVERIFY(!QFile::exists(dir.file(full[2].before)));
  }

  // What a write changed counts only the slots it reached; copies never overwrite each other.
  void changesCountWhatWasWrittenAndCopiesKeepTheirOwnNames() {
    ParameterSet before = factoryParameterSet();
    ParameterSet written = before;
    written[1] = 1;
    written[3] = 1;
    QCOMPARE(changedSettings(before, written, TransferOutcome::Verified, 0), 2);
    QCOMPARE(changedSettings(before, written, TransferOutcome::WriteFailedAtSlot, 2), 1);
    QCOMPARE(changedSettings(before, written, TransferOutcome::WriteFailedUnchanged, 0), 0);
    TempProgramDir dir(false);
    const QDateTime time(QDate(2026, 12, 7), QTime(14, 15, 2));
    QString error;
    QStringList names;
    for (int i = 0; i < 2; ++i)
      names << keepHistoryCopy(dir.path(), time, "/dev/ttyUSB0", "before", before, &error);
    QCOMPARE(names, (QStringList{"History/20261207-141502-ttyUSB0-before.QVT",
                                 "History/20261207-141502-ttyUSB0-before-2.QVT"}));
  }

  // A read stands as the copy only for its own port, when fresh and not older than a write.
  void aReadStandsAsCopyOnlyWhereNothingChangedSince() {
    const QDateTime now = QDateTime::currentDateTime();
    const ValuesOrigin read{ValuesOrigin::Kind::Controller, "COM1", now.addSecs(-60), {}};
    QVERIFY(readStandsAsCopy(read, "com1", {}, now));
    QVERIFY(!readStandsAsCopy(read, "COM2", {}, now));
    QVERIFY(!readStandsAsCopy(read, "COM1", now.addSecs(-30), now));
    QVERIFY(!readStandsAsCopy(read, "COM1", {}, now.addSecs(kCopyReadFreshSecs)));
    QVERIFY(!readStandsAsCopy({ValuesOrigin::Kind::File, "COM1", now, {}}, "COM1", {}, now));
  }

  // A failed read writes nothing unless confirmed; a write keeps the controller's
  // configuration as read (its reserved slots too), a write right after it reads nothing
  // more, and the copy loaded from Historial and written puts the controller back.
  void grabaKeepsTheControllersConfigurationAndWritesItBack() {
    Rig rig;
    rig.instrument.faults().refusedFunction = 0x05;
    rig.graba();
    QCOMPARE(rig.registerWrites(), 0);
    QCOMPARE(rig.messages.calls.last().buttons, MessageButtons::YesNoDefaultNo);
    rig.instrument.faults().refusedFunction = 0;

    rig.graba();
    const ParameterSet factory = rig.context.configEditada;
    QCOMPARE(rig.blockReads(), 3);  // the failed copy, the copy, the read-back
    QList<HistoryEntry> history = rig.history();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history[0].outcome + history[0].before, "failed before writing");
    QCOMPARE(history[1].outcome, "verified");
    QCOMPARE(history[1].changed, 2);
    ParameterSet held = rig.other;
    held[kModelSlot] = 1;
    QVERIFY(rig.file(history[1].before) == held && rig.file(history[1].written) == factory);

    rig.graba();  // the read-back stands as what the controller holds
    QCOMPARE(rig.blockReads(), 4);
    QCOMPARE(rig.history().size(), 3);
    QCOMPARE(rig.history()[2].changed, 0);

    rig.historial()->show();
    auto* list = rig.historial()->findChild<QTreeWidget*>("List1");
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(list->topLevelItem(0)->text(3) + list->topLevelItem(2)->text(4), "verified");
    list->setCurrentItem(list->topLevelItem(1));  // the first write, newest first
    rig.historial()->showChanges();
    QCOMPARE(rig.windows.get<Compara>("Compara")->differences().size(), 2);
    rig.historial()->loadBefore();
    rig.graba();
    ParameterSet restored = rig.other;
    restored[46] = 0;  // the editor writes the reserved slots as 0
    restored[kModelSlot] = 1;
    QVERIFY(rig.registers() == restored);
    QCOMPARE(rig.history().last().source, "History/" + QFileInfo(history[1].before).fileName());
    QCOMPARE(list->topLevelItemCount(), 4);
  }

  // A copy that cannot be kept is told with its reason; confirmed, the write goes out, and a
  // history folder that cannot be written is told too. A port that will not open asks nothing.
  void aWriteWithoutCopyOnlyWhenConfirmed() {
    Rig rig;
    rig.dir.write("History", "a file where the folder belongs");
    rig.messages.answer = MessageAnswer::Yes;
    rig.graba();
    const QStringList shown = rig.messages.shown();
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown[0].startsWith("E/yn ") && shown[0].contains("is a file, not a folder"),
             qPrintable(shown[0]));
    QVERIFY2(shown[1].startsWith("E ") && shown[1].contains("History"), qPrintable(shown[1]));
    QCOMPARE(rig.registers()[1], rig.context.configEditada[1]);
    rig.context.lastRead = {};        // no read stands as the copy
    rig.port.setOpenError("in use");  // the write could not go out either: nothing asked
    rig.graba();
    QCOMPARE(rig.messages.shown().mid(2).join('|').count("E/yn"), 0);
  }
};

QTEST_MAIN(TestHistory)
#include "test_history.moc"
