#pragma once
#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <cstdio>

#include "common/messageboxes.h"
#include "link/transferview.h"

// What the controllers' transfers tell the user on standard error, from their own threads.
namespace orvex::cli {

class ProgressBoard {
 public:
  // `bar`: standard error is a terminal; one status line of every port is kept up to date
  // instead of a line a step. `stepsPerPort`: the steps a transfer shows, for the bar.
  ProgressBoard(const QStringList& ports, bool bar, int stepsPerPort, std::FILE* out = stderr);

  void step(const QString& port, const QString& text);
  void problem(const QString& port, const QString& text);
  // A line of its own, above the bar.
  void notice(const QString& text);
  void finished(const QString& port, bool ok);

 private:
  struct PortState {
    int steps = 0;
    QString ending;  // "", "ok", "failed"
  };
  void drawBar();  // with the mutex held
  void writeLine(const QString& line);

  QMutex mutex_;
  QStringList ports_;
  QHash<QString, PortState> states_;
  bool bar_;
  int stepsPerPort_;
  std::FILE* out_;
};

// One controller's progress window: its steps go to the board.
class BoardView : public TransferView {
 public:
  BoardView(ProgressBoard& board, QString port) : board_(board), port_(std::move(port)) {}
  void showProgress() override {}
  void hideProgress() override {}
  void setTitle(const QString& text) override { board_.step(port_, text); }
  void setPhase(const QString&, PhaseColour) override {}
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
