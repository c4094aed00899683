#include "session.h"

#include <QDir>

#include <cstdio>

#include "common/textfile.h"
#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/textlookup.h"
#include "lang/qttranslations.h"
#include "lang/textsfile.h"
#include "link/serialsettings.h"

namespace orvex::cli {
namespace {

int baseOf(const QString& code) {
  for (const Language& language : languages())
    if (code == QLatin1String(language.qtLocale) ||
        (code == QLatin1String("no") && language.base == 1200))
      return language.base;
  return kEnglishBase;
}

// --lang, else the language the windowed program uses in that folder, else English.
int chooseLanguage(const QString& code, const QString& programDir) {
  return code.isEmpty() ? readLanguageFile(programDir).base : baseOf(code);
}

// The texts of that language: textos.sys of the folder, the built-in texts where it fails,
// which the user is told of.
TextTables loadTexts(const QString& programDir, int base) {
  LoadedLanguage loaded = loadLanguageTexts(programDir, base);
  if (!loaded.problem.isEmpty()) std::fputs(qPrintable(loaded.problem + QLatin1Char('\n')), stderr);
  applyQtTranslations(*languageForBase(base));
  return std::move(loaded.texts.tables);
}

// The windowed texts that send the user to a window or button, or to restart the program,
// give way to the command line's own.
void useCommandLineWording(TextTables* texts) {
  const auto take = [texts](QString* windowed, int own) {
    const QString text = extraText(texts, own);
    if (!text.isEmpty()) *windowed = text;
  };
  take(&texts->message[43], extra::CliIdentityFailed);
  take(&texts->message[45], extra::CliNotRecognised);
  take(&texts->extra[extra::PortAbsent], extra::CliPortAbsent);
  take(&texts->extra[extra::NotVerified], extra::CliNotVerified);
  take(&texts->extra[extra::IdentityBlocked], extra::CliIdentityBlocked);
  take(&texts->extra[extra::OutOfRangePrompt], extra::CliOutOfRange);
}

// --settings, else confcom.sys's, else the program's default.
bool chooseLineSettings(const QString& given, const QString& programDir, QString* settings,
                        QString* problem) {
  LineSettings parsed;
  if (!given.isEmpty()) {
    *settings = given;
    return parseLineSettings(given, &parsed, problem);
  }
  QString content;
  *settings = splitSerialSettings(QString::fromLatin1(kDefaultSerialSettings)).lineSettings;
  if (!readTextFile(findFileNoCase(programDir, QString::fromLatin1(kSerialSettingsFile)),
                    kSettingsFileLimit, &content))
    return true;
  const QString stored = splitSerialSettings(content.left(kSerialSettingsLength)).lineSettings;
  if (parseLineSettings(stored, &parsed, nullptr)) *settings = stored;
  return true;
}

}  // namespace

bool openSession(const Arguments& arguments, Session* session, QString* problem) {
  const QDir dir(arguments.programDir);
  if (!dir.exists()) {
    *problem = QStringLiteral("The program directory %1 does not exist.").arg(arguments.programDir);
    return false;
  }
  session->arguments = arguments;
  session->link.programDir = dir.absolutePath() + QLatin1Char('/');
  session->languageBase = chooseLanguage(arguments.language, session->link.programDir);
  session->link.texts = loadTexts(session->link.programDir, session->languageBase);
  useCommandLineWording(&session->link.texts);
  return chooseLineSettings(arguments.lineSettings, session->link.programDir,
                            &session->link.lineSettings, problem);
}

}  // namespace orvex::cli
