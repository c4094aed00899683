#include "idioma.h"

#include <QDir>
#include <QPushButton>

#include "common/textfile.h"
#include "common/ui/appservices.h"
#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/loadtexts.h"
#include "lang/writefailure.h"

namespace orvex {
namespace {

constexpr auto kLanguageFileName = "conflang.sys";
constexpr int kWidth = 260;
constexpr int kButtonLeft = 24;
constexpr int kButtonWidth = kWidth - 2 * kButtonLeft;
constexpr int kButtonHeight = 36;
constexpr int kButtonPitch = 44;

QString extraOr(const AppServices& services, int item, const char* fallback) {
  const QString& text = services.context.texts.extra.at(static_cast<size_t>(item));
  return text.isEmpty() ? QString::fromUtf8(fallback) : text;
}

}  // namespace

bool writeLanguageFile(const QString& programDir, const QString& marker, QString* error) {
  return writeTextFileAtomic(findFileNoCase(programDir, kLanguageFileName),
                             languageFileContent(marker), error);
}

void reportLanguageFileNotWritten(AppServices& services, const QString& error) {
  const QString path =
      QDir::toNativeSeparators(findFileNoCase(services.context.programDir, kLanguageFileName));
  QString prompt = extraOr(services, extra::WriteFailed,
                           "File %1 could not be written: %2. Any previous file is unchanged. "
                           "Check the folder exists and the disk is not full.");
  // A text without its place holders still names the file and the reason.
  const QString reason = writeFailureReason(&services.context.texts, path, error);
  if (prompt.contains(QLatin1String("%2"))) prompt = prompt.arg(path, reason);
  else prompt += QStringLiteral("\n%1: %2").arg(path, reason);
  services.messages.show(MessageIcon::Exclamation, prompt,
                         extraOr(services, extra::WriteFailedTitle, "File not written"));
}

Idioma::Idioma(AppServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services) {
  setObjectName("Idioma");
  setWindowTitle("LANGUAGE");
  buildControls();
}

QPushButton* Idioma::addButton(const char* name, const QString& caption, int top) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setGeometry(kButtonLeft, top, kButtonWidth, kButtonHeight);
  return button;
}

void Idioma::buildControls() {
  int top = 20;
  for (size_t i = 0; i < languages().size(); ++i, top += kButtonPitch) {
    const Language& language = languages()[i];
    languageButtons_[i] =
        addButton(language.buttonName, QString::fromUtf16(language.buttonCaption), top);
    connect(languageButtons_[i], &QPushButton::clicked, this,
            [this, &language] { chooseLanguage(language); });
  }
  QPushButton* leave = addButton("Command8", "Salir", top + 16);
  connect(leave, &QPushButton::clicked, this, &Idioma::storeChoice);
  setFixedSize(kWidth, top + 16 + kButtonHeight + 20);
}

void Idioma::chooseLanguage(const Language& language) {
  // The marker follows only texts that were really applied, so Command8 never stores a
  // language the windows do not show.
  if (!loadTexts(services_, language.base)) return;
  services_.context.languageMarker = QString::fromUtf16(language.marker);
  markLanguage(services_.context.languageMarker);
}

void Idioma::markLanguage(const QString& marker) {
  for (size_t i = 0; i < languages().size(); ++i) {
    QPalette palette = languageButtons_[i]->palette();
    const bool chosen = marker == QStringView(languages()[i].marker);
    palette.setColor(QPalette::Button,
                     chosen ? QColor(Qt::white) : this->palette().color(QPalette::Button));
    languageButtons_[i]->setPalette(palette);
    // White on a light button face is faint in some styles: the chosen one is also bold.
    QFont font = languageButtons_[i]->font();
    font.setBold(chosen);
    languageButtons_[i]->setFont(font);
  }
}

bool Idioma::storeChoice() {
  QString error;
  if (!writeLanguageFile(services_.context.programDir, services_.context.languageMarker, &error)) {
    reportLanguageFileNotWritten(services_, error);
    return false;
  }
  hide();
  return true;
}

}  // namespace orvex
