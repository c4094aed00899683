#pragma once
#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <cstdio>

#include "common/messageboxes.h"
#include "common/texttables.h"
#include "link/transferview.h"

// What the controllers' transfers tell the user on standard error, from their own threads.
namespace orvex::cli {

// Bar: standard error is a terminal; one line per controller, redrawn in place.
// Lines: a line per step with its time, for a log file or a pipe. Quiet: nothing.
enum class ProgressMode { Bar, Lines, Quiet };
// CopiedWrite: a write that first reads the controller for its copy.
enum class TransferKind { Read, Write, CopiedWrite };

class ProgressBoard {
 public:
  // `width`: the terminal's columns (0: asked of the terminal).
  ProgressBoard(const QStringList& ports, ProgressMode mode, TransferKind kind,
                const TextTables* texts, std::FILE* out = stderr, int width = 0);

  void step(const QString& port, const QString& text);
  void phase(const QString& port, const QString& text);
  void problem(const QString& port, const QString& text);
  // A line of its own above the bar, also when quiet: the answer to the user's Ctrl-C.
  void notice(const QString& text);
  void finished(const QString& port, bool ok);
  // Time has passed: the percentages and the restart's countdown move on.
  void tick();

 private:
  enum class Stage { Before, Restart, ReadBack };
  struct PortState {
    QElapsedTimer started;  // at the first step
    QElapsedTimer stageStarted;
    Stage stage = Stage::Before;
    bool restartStepSeen = false;
    QString text;
    QString ending;  // "", "ok", "failed"
  };
  int percent(const PortState& state) const;
  QString portLine(const QString& port) const;
  void drawBar();  // with the mutex held
  void writeLine(const QString& line);

  QMutex mutex_;
  QStringList ports_;
  QHash<QString, PortState> states_;
  ProgressMode mode_;
  TransferKind kind_;
  const TextTables* texts_;
  std::FILE* out_;
  int width_;
  bool drawn_ = false;  // the bar's lines stand on the terminal, the cursor below them
  QElapsedTimer lastDraw_;
};

// One controller's progress window: its steps go to the board.
class BoardView : public TransferView {
 public:
  BoardView(ProgressBoard& board, QString port) : board_(board), port_(std::move(port)) {}
  void showProgress() override {}
  void hideProgress() override {}
  void setTitle(const QString& text) override { board_.step(port_, text); }
  void setPhase(const QString& text, PhaseColour) override { board_.phase(port_, text); }
  void setStep(const QString& text) override { board_.step(port_, text); }
  void appendToStep(const QString&) override {}

 private:
  ProgressBoard& board_;
  QString port_;
};

// One controller's message boxes: told on the board and kept for the result.
class BoardMessages : public MessageBoxes {
 public:
  BoardMessages(ProgressBoard& board, QString port, QStringList* kept)
      : board_(board), port_(std::move(port)), kept_(kept) {}
  MessageAnswer show(MessageIcon, const QString& prompt, const QString&, MessageButtons) override {
    const QString line =
        QString(prompt).replace(QStringLiteral("\n\n"), QStringLiteral(" ")).simplified();
    kept_->append(line);
    board_.problem(port_, line);
    return MessageAnswer::Ok;
  }
  void showNotice(MessageIcon icon, const QString& prompt, const QString& title) override {
    show(icon, prompt, title, MessageButtons::Ok);
  }
  void closeNotice() override {}

 private:
  ProgressBoard& board_;
  QString port_;
  QStringList* kept_;
};

}  // namespace orvex::cli
