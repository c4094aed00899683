#pragma once
#include <QWidget>

#include "reports/reportwriter.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace orvex {

struct AppServices;

// Asks for the instrument's serial number (and, optionally, the customer and the site, kept
// for the next report) and writes the report of the editor's values or of the last read of
// the controller: its data file and the finished document (PDF) made from the same values.
// Once written, the window stays on the confirmation with Print and Open at hand; they act
// only while the serial number shown is the one the document was made for. Hidden, never
// destroyed: what was typed stays for the next report.
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
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The document last made, kept for printing it again.
  struct Document {
    std::shared_ptr<const ReportLayout> layout;
    QString serialNumber;
    QString path;
  };
  // What the status line tells: a text item and the files it names.
  struct Status {
    int item = 0;
    QStringList files;
  };

  void buildLayout();
  QWidget* buildSourceFrame();
  QWidget* buildFieldsRow();
  void applyTexts();
  void showLastRead();
  bool collectInput(ReportInput* input, ReportDocumentHeader* header);
  bool fieldsStorable();
  void keepFields();
  bool documentShown() const;
  void showStatus();
  void showDocumentState();
  void showProblem(const QString& prompt, const QString& title);

  AppServices& services_;
  QLineEdit* serialEdit_;       // Text1
  QLineEdit* customerEdit_;     // Text2
  QLineEdit* siteEdit_;         // Text3
  QRadioButton* fromEditor_;    // Option1
  QRadioButton* fromLastRead_;  // Option2
  QLabel* statusLine_;          // the last report written
  QLabel* noDocument_;          // Label7: why Print and Open are off
  QString serialNumber_;
  Document document_;
  Status status_;
};

}  // namespace orvex
