#pragma once
#include <QWidget>

#include "reports/reportpdf.h"

class QLabel;
class QLineEdit;

namespace orvex {

struct AppServices;

// Asks for the instrument's serial number and writes the report: its data file and the
// finished document (PDF) made from the same values; prints the last report made and opens
// its document. Hidden, never destroyed: the serial number typed stays for the next report.
class Report : public QWidget {
  Q_OBJECT
 public:
  explicit Report(AppServices& services);

  void generate();        // Command1
  bool generateReport();  // GenerateReport for the serial number stored; false: user told why
  void print();           // Command3: the last report made, through the print preview
  void openDocument();    // Command4: the last report's PDF in the system's viewer
  QString serialNumber() const { return serialNumber_; }
  QString lastDocumentPath() const { return lastDocument_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void applyTexts();
  bool writeDocument(const ReportPages& pages, const QString& dataFile);
  bool haveReport();
  void showProblem(const QString& prompt, const QString& title);

  AppServices& services_;
  QLineEdit* serialEdit_;  // Text1
  QLabel* status_;         // the last report written
  QString serialNumber_;
  ReportPages lastPages_;  // of the last report made, for printing
  QString lastDocument_;
};

}  // namespace orvex
