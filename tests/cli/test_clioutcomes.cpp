// What a script and a person see of the controllers: the outcome words, and the progress lines.
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>

#include "cli/outcome.h"
#include "cli/progress.h"
#include "lang/textlookup.h"

using namespace orvex;
using namespace orvex::cli;

namespace {

ControllerOutcome ended(TransferOutcome how, QList<FrameRecord> frames = {}, int slot = 0,
                        int refusal = -1) {
  ControllerOutcome outcome;
  outcome.port = QStringLiteral("COM1");
  outcome.record.outcome = how;
  outcome.record.frames = std::move(frames);
  outcome.record.slot = slot;
  outcome.record.refusalCode = refusal;
  return outcome;
}

FrameRecord frame(FrameVerdict verdict, const QString& note = {}) { return {0, verdict, {}, note}; }

// Everything the board wrote, with the board gone.
QString drawn(const std::function<void(ProgressBoard&)>& use, ProgressMode mode) {
  std::FILE* out = std::tmpfile();
  {
    ProgressBoard board({"COM1", "/dev/ttyUSB12"}, mode, TransferKind::Write, nullptr, out, 60);
    use(board);
  }
  std::rewind(out);
  QByteArray bytes(1 << 16, '\0');
  bytes.resize(static_cast<qsizetype>(std::fread(bytes.data(), 1, bytes.size(), out)));
  std::fclose(out);
  return QString::fromUtf8(bytes);
}

}  // namespace

class TestCliOutcomes : public QObject {
  Q_OBJECT
 private slots:
  void outcomeWords() {
    const QString wrongModel = messageText(nullptr, 16);
    const auto json = [](const ControllerOutcome& o, bool write) {
      const QJsonObject e = outcomeJson(o, summarize(o, TextTables{}, write));
      return QStringLiteral("%1 %2 %3 %4")
          .arg(e["outcome"].toString(),
               e["slot"].isNull() ? "-" : QString::number(e["slot"].toInt()),
               e["written"].toString(), e["verified"].toBool() ? "verified" : "unverified");
    };
    QCOMPARE(json(ended(TransferOutcome::Verified), true), "ok - all verified");
    QCOMPARE(json(ended(TransferOutcome::ReadComplete), false), "ok - none unverified");
    QCOMPARE(json(ended(TransferOutcome::NotVerified), true), "unverified - all unverified");
    QCOMPARE(json(ended(TransferOutcome::WriteFailedAtSlot, {}, 12), true),
             "partial-write 12 partial unverified");
    QCOMPARE(json(ended(TransferOutcome::WriteFailedAtSlot, {}, 1, 2), true),
             "partial-write 1 none unverified");  // a refused first slot was not written
    QCOMPARE(json(ended(TransferOutcome::ReadFailed, {frame(FrameVerdict::TimeOut)}), false),
             "no-answer - none unverified");
    QStringList words;
    for (const ControllerOutcome& o :
         {ended(TransferOutcome::ReadFailed,
                {frame(FrameVerdict::TimeOut), frame(FrameVerdict::CrcError)}),
          ended(TransferOutcome::ReadFailed, {frame(FrameVerdict::Port, "lost: unplugged")}),
          ended(TransferOutcome::WriteFailedUnchanged,
                {frame(FrameVerdict::Port, "/dev/x not opened: busy")}),
          ended(TransferOutcome::ReadFailed, {frame(FrameVerdict::Sound)}, 0, 2),
          ended(TransferOutcome::ReadFailed, {frame(FrameVerdict::Message, wrongModel + "3")}),
          ended(TransferOutcome::WriteFailedUnchanged,
                {frame(FrameVerdict::Message, messageText(nullptr, 45))})})
      words << summarize(o, TextTables{}, true).word;
    QCOMPARE(words, (QStringList{"crc", "port-lost", "port-busy", "exception", "wrong-model",
                                 "identity"}));
    ControllerOutcome notSaved = ended(TransferOutcome::ReadComplete);
    notSaved.outputProblem = "disk full";
    QCOMPARE(json(notSaved, false), "output - none unverified");
  }
  // A line per controller, never wider than the terminal, redrawn in place; the restart counts
  // down instead of standing still.
  void barOnATerminal() {
    const QString out = drawn(
        [](ProgressBoard& b) {
          b.step("COM1", "Writing parameter 12 with a long explanation of what goes on");
          b.phase("/dev/ttyUSB12", "Reset");
          b.step("/dev/ttyUSB12", "Restarting the controller");
          b.problem("COM1", "The controller refused");
          b.finished("COM1", false);
        },
        ProgressMode::Bar);
    QVERIFY2(out.contains("\033[2A"), qPrintable(out));  // back up over the two lines
    QVERIFY2(out.contains("restarting, 20 s"), qPrintable(out));
    QVERIFY(out.contains("COM1: The controller refused\n"));
    for (QString line : out.split('\n')) {
      line.remove(QRegularExpression("\033\\[[0-9]*[AKJ]|\r"));
      QVERIFY2(line.size() < 60 || line.startsWith("COM1: The"), qPrintable(line));
    }
  }
  void linesWithTimesOrQuiet() {
    const auto use = [](ProgressBoard& b) {
      b.step("COM1", "Reading parameter 3");
      b.problem("COM1", "No answer");
    };
    const QStringList lines = drawn(use, ProgressMode::Lines).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} COM1: Reading parameter 3$")
                 .match(lines[0])
                 .hasMatch(),
             qPrintable(lines[0]));
    QCOMPARE(drawn(use, ProgressMode::Quiet), QString());
  }
};

QTEST_GUILESS_MAIN(TestCliOutcomes)
#include "test_clioutcomes.moc"
