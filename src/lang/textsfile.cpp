#include "textsfile.h"

#include <QDir>
#include <QFileInfo>

#include "common/textfile.h"
#include "itemreader.h"
#include "languages.h"

namespace orvex {
namespace {

constexpr auto kTextFileName = "textos.sys";

// %1 file name, %2 folder, %3 reason. Indexed like the language table.
struct FailureTexts {
  const char16_t* title;
  const char16_t* prompt;
  const char16_t* missing;
  const char16_t* unreadable;  // %1 system reason
  const char16_t* tooShort;    // %1 items found, %2 items needed
};

const FailureTexts& failureTexts(int base) {
  static const FailureTexts table[] = {
      {u"Archivo de textos",
       u"No se pueden cargar los textos del idioma: el archivo %1 de la carpeta %2 %3. "
       u"Se mantienen los textos actuales; instale de nuevo el archivo de textos.",
       u"no existe", u"no se puede leer (%1)", u"está incompleto (%1 textos de %2)"},
      {u"Text file",
       u"The language texts cannot be loaded: the file %1 in the folder %2 %3. "
       u"The current texts are kept; install the text file again.",
       u"is missing", u"cannot be read (%1)", u"is incomplete (%1 texts of %2)"},
      {u"Fichier de textes",
       u"Impossible de charger les textes de la langue : le fichier %1 du dossier %2 %3. "
       u"Les textes actuels sont conservés ; réinstallez le fichier de textes.",
       u"est absent", u"est illisible (%1)", u"est incomplet (%1 textes sur %2)"},
      {u"Textdatei",
       u"Die Texte der Sprache können nicht geladen werden: Die Datei %1 im Ordner %2 %3. "
       u"Die bisherigen Texte bleiben; installieren Sie die Textdatei neu.",
       u"fehlt", u"ist nicht lesbar (%1)", u"ist unvollständig (%1 von %2 Texten)"},
      {u"Tekstfil",
       u"Språktekstene kan ikke lastes: filen %1 i mappen %2 %3. "
       u"De nåværende tekstene beholdes; installer tekstfilen på nytt.",
       u"mangler", u"kan ikke leses (%1)", u"er ufullstendig (%1 av %2 tekster)"},
  };
  const Language* language = languageForBase(base);
  const auto index = language ? language - languages().data() : 1;
  return table[index];
}

}  // namespace

TextBlock parseTextBlock(const QString& content, int base, const QString& path) {
  TextBlock block;
  block.path = path;
  block.itemsNeeded = base + kItemsUsedPerBlock;
  ItemReader reader(content);
  const int skipped = reader.skip(base);
  QString item;
  while (block.items.size() < kItemsUsedPerBlock && reader.next(&item)) block.items.append(item);
  if (block.items.size() < kItemsUsedPerBlock) {
    block.status = TextBlock::Status::TooShort;
    block.itemsFound = skipped + static_cast<int>(block.items.size());
    block.items.clear();
    return block;
  }
  while (block.extra.size() < kItemsPerBlock - kItemsUsedPerBlock && reader.next(&item))
    block.extra.append(item);
  block.status = TextBlock::Status::Ok;
  return block;
}

TextBlock readTextBlock(const QString& programDir, int base) {
  const QString path = findFileNoCase(programDir, kTextFileName);
  TextBlock block;
  block.path = path;
  block.itemsNeeded = base + kItemsUsedPerBlock;
  if (!QFileInfo::exists(path)) return block;
  QString content;
  if (!readTextFile(path, &content, &block.error)) {
    block.status = TextBlock::Status::Unreadable;
    return block;
  }
  return parseTextBlock(content, base, path);
}

QString textBlockFailurePrompt(const TextBlock& block, int base) {
  const FailureTexts& texts = failureTexts(base);
  const QFileInfo file(block.path);
  QString reason;
  switch (block.status) {
    case TextBlock::Status::Missing: reason = QString::fromUtf16(texts.missing); break;
    case TextBlock::Status::Unreadable:
      reason = QString::fromUtf16(texts.unreadable).arg(block.error);
      break;
    case TextBlock::Status::TooShort:
      reason = QString::fromUtf16(texts.tooShort).arg(block.itemsFound).arg(block.itemsNeeded);
      break;
    case TextBlock::Status::Ok: break;
  }
  return QString::fromUtf16(texts.prompt)
      .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()), reason);
}

QString textBlockFailureTitle(int base) { return QString::fromUtf16(failureTexts(base).title); }

}  // namespace orvex
