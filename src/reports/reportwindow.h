#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;

namespace orvex {

struct AppServices;

// Asks for the instrument's serial number and writes the report file for the word-processor
// document. Hidden, never destroyed: the serial number typed stays for the next report.
class Report : public QWidget {
  Q_OBJECT
 public:
  explicit Report(AppServices& services);

  void generate();        // Command1
  bool generateReport();  // GenerateReport for the serial number stored; false: user told why
  QString serialNumber() const { return serialNumber_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void showProblem(const QString& prompt, const QString& title);

  AppServices& services_;
  QLineEdit* serialEdit_;  // Text1
  QLabel* status_;         // the last report written
  QString serialNumber_;
};

}  // namespace orvex
