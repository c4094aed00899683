#include "startup.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include "common/ui/appservices.h"
#include "lang/idioma.h"
#include "lang/languages.h"
#include "lang/loadtexts.h"
#include "shell/presentacion.h"

namespace orvex {
namespace {

constexpr int kIdleRetryMs = 50;

// The start-up language choice; returns the language base to load.
int chooseLanguage(AppServices& services) {
  const QString dir = services.context.programDir;
  const StartupLanguage choice = readLanguageFile(dir);
  if (choice.showMessage)
    services.messages.show(MessageIcon::Exclamation, languageFileDamagedPrompt(),
                           languageFileDamagedTitle());
  services.context.languageMarker = choice.marker;
  QString writeError;
  const bool written = !choice.rewriteFile || writeLanguageFile(dir, choice.marker, &writeError);
  if (choice.matched)
    if (auto* idioma = services.windows.get<Idioma>("Idioma")) idioma->markLanguage(choice.marker);
  // The texts come before the hidden windows: the editor's load step may have to tell the
  // user about confcom.sys or the default configuration, in words of the chosen language.
  // LoadTexts fills the tables before it creates any window for its captions.
  loadTexts(services, choice.base);
  if (choice.fileSound)
    for (const char* name : {"ConfigQVT", "GrabQVT", "Report"}) services.windows.window(name);
  // Told after the texts, so the message speaks the language just loaded.
  if (!written) reportLanguageFileNotWritten(services, writeError);
  return choice.base;
}

}  // namespace

const QStringList& unloadOrder() {
  static const QStringList order{"Presentacion", "LoadFich",  "Idioma",    "GrabFich",
                                 "GrabQVT",      "ConfigCOM", "ConfigQVT", "Report"};
  return order;
}

void unloadWhenIdle(AppServices& services) {
  QTimer::singleShot(0, QCoreApplication::instance(), [&services] {
    if (QThread::currentThread()->loopLevel() > 1) {
      QTimer::singleShot(kIdleRetryMs, QCoreApplication::instance(),
                         [&services] { unloadWhenIdle(services); });
      return;
    }
    services.windows.unloadAll(unloadOrder());
    QCoreApplication::quit();
  });
}

void startShell(AppServices& services) {
  auto* main = services.windows.get<Presentacion>("Presentacion");
  if (!main) return;
  main->setExitHandler([&services] { unloadWhenIdle(services); });
  chooseLanguage(services);
  main->showFirstModeTitle();
  main->show();
}

}  // namespace orvex
