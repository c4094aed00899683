#pragma once
#include <QWidget>

#include "reports/reportwriter.h"

class QLabel;
class QLineEdit;

namespace orvex {

struct AppServices;

// Asks for the instrument's serial number and writes the report: its data file and the
// finished document (PDF) made from the same values. Prints and opens a document only while
// the serial number shown is the one it was made for. Hidden, never destroyed: the serial
// number typed stays for the next report.
class Report : public QWidget {
  Q_OBJECT
 public:
  explicit Report(AppServices& services);

  void generate();        // Command1
  bool generateReport();  // GenerateReport for the serial number stored; false: user told why
  void print();           // Command3: the document, through the print preview
  void openDocument();    // Command4: the document's PDF in the system's viewer
  QString serialNumber() const { return serialNumber_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The document last made, kept for printing it again.
  struct Document {
    ReportPages pages;
    QString path;
  };
  // What the status line tells: a text item and the files it names.
  struct Status {
    int item = 0;
    QStringList files;
  };

  void buildLayout();
  void applyTexts();
  ReportInput collectInput();
  bool documentShown() const;
  void showStatus();
  void showDocumentState();
  void showProblem(const QString& prompt, const QString& title);

  AppServices& services_;
  QLineEdit* serialEdit_;  // Text1
  QLabel* statusLine_;     // the last report written
  QLabel* noDocument_;     // Label7: why Print and Open are off
  QString serialNumber_;
  Document document_;
  Status status_;
};

}  // namespace orvex
