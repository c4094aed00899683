#pragma once
#include <QWidget>

#include <array>

class QPushButton;

namespace orvex {

struct AppServices;
struct Language;

// The language window: a language button switches every caption at once; Command8 stores
// the choice in conflang.sys and hides the window. Leaving it any other way stores nothing.
class Idioma : public QWidget {
  Q_OBJECT
 public:
  explicit Idioma(AppServices& services, QWidget* parent = nullptr);

  // A language button's click: its texts everywhere, its marker current, its button marked.
  void chooseLanguage(const Language& language);
  // Marks the button of `marker` white and the others in the button face colour.
  void markLanguage(const QString& marker);
  // Command8's click. False (after telling the user) when conflang.sys cannot be written.
  bool storeChoice();

 private:
  void buildControls();
  QPushButton* addButton(const char* name, const QString& caption, int top);

  AppServices& services_;
  std::array<QPushButton*, 5> languageButtons_{};
};

// Tells the user conflang.sys could not be written (texts of the current language).
void reportLanguageFileNotWritten(AppServices& services, const QString& error);

}  // namespace orvex
