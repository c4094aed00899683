#include "textsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/cp1252.h"
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
  const char16_t* tooLarge;    // %1 bytes
};

const FailureTexts& failureTexts(int base) {
  static const FailureTexts table[] = {
      {u"Archivo de textos",
       u"No se pueden leer los textos del idioma: el archivo %1 de la carpeta %2 %3. "
       u"El programa usa sus textos incorporados; instale de nuevo el archivo de textos.",
       u"no existe", u"no se puede leer (%1)", u"está incompleto (%1 textos de %2)",
       u"es demasiado grande (%1 bytes)"},
      {u"Text file",
       u"The language texts cannot be read: the file %1 in the folder %2 %3. "
       u"The program uses its built-in texts; install the text file again.",
       u"is missing", u"cannot be read (%1)", u"is incomplete (%1 texts of %2)",
       u"is too large (%1 bytes)"},
      {u"Fichier de textes",
       u"Impossible de lire les textes de la langue : le fichier %1 du dossier %2 %3. "
       u"Le programme utilise ses textes intégrés ; réinstallez le fichier de textes.",
       u"est absent", u"est illisible (%1)", u"est incomplet (%1 textes sur %2)",
       u"est trop grand (%1 octets)"},
      {u"Textdatei",
       u"Die Texte der Sprache können nicht gelesen werden: Die Datei %1 im Ordner %2 %3. "
       u"Das Programm verwendet seine eingebauten Texte; installieren Sie die Textdatei neu.",
       u"fehlt", u"ist nicht lesbar (%1)", u"ist unvollständig (%1 von %2 Texten)",
       u"ist zu groß (%1 Byte)"},
      {u"Tekstfil",
       u"Språktekstene kan ikke leses: filen %1 i mappen %2 %3. "
       u"Programmet bruker sine innebygde tekster; installer tekstfilen på nytt.",
       u"mangler", u"kan ikke leses (%1)", u"er ufullstendig (%1 av %2 tekster)",
       u"er for stor (%1 byte)"},
  };
  const Language* language = languageForBase(base);
  const auto index = language ? language - languages().data() : 1;
  return table[index];
}

void readItems(ItemReader* reader, int count, QStringList* items) {
  QString item;
  for (int i = 0; i < count && reader->next(&item); ++i) items->append(item);
}

// Items missing or empty in `items` are taken from `fallback`.
void fillEmpty(QStringList* items, const QStringList& fallback) {
  while (items->size() < fallback.size()) items->append(QString());
  for (qsizetype i = 0; i < fallback.size(); ++i)
    if ((*items)[i].trimmed().isEmpty()) (*items)[i] = fallback[i];
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
  readItems(&reader, kItemsPerBlock - kItemsUsedPerBlock, &block.extra);
  // An older file ends with the five blocks; its extension items come from the built-in texts.
  if (block.extra.size() == kItemsPerBlock - kItemsUsedPerBlock &&
      reader.skip(kExtensionStart - kItemsPerBlock) == kExtensionStart - kItemsPerBlock)
    readItems(&reader, kItemsPerBlock, &block.extra);
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
  ReadFailure failure;
  if (!readTextFile(path, kTextTableLimit, &content, &failure)) {
    block.status = failure.tooLarge() ? TextBlock::Status::TooLarge : TextBlock::Status::Unreadable;
    block.error = failure.reason;
    block.size = failure.size;
    return block;
  }
  return parseTextBlock(content, base, path);
}

TextBlock builtInTextBlock(int base) {
  static const QString content = [] {
    QFile file(QStringLiteral(":/orvex/textos.sys"));
    return file.open(QIODevice::ReadOnly) ? fromCp1252(file.readAll()) : QString();
  }();
  return parseTextBlock(content, base, QStringLiteral(":/orvex/textos.sys"));
}

// The file's own items stand as they are; only texts it does not have come from the program.
void fillFromBuiltIn(TextBlock* block, const TextBlock& builtIn) {
  if (block->status != TextBlock::Status::Ok) block->items = builtIn.items;
  fillEmpty(&block->extra, builtIn.extra);
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
    case TextBlock::Status::TooLarge:
      reason = QString::fromUtf16(texts.tooLarge).arg(block.size);
      break;
    case TextBlock::Status::Ok: break;
  }
  return QString::fromUtf16(texts.prompt)
      .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()), reason);
}

QString textBlockFailureTitle(int base) { return QString::fromUtf16(failureTexts(base).title); }

LoadedLanguage loadLanguageTexts(const QString& programDir, int base) {
  TextBlock block = readTextBlock(programDir, base);
  LoadedLanguage loaded;
  if (block.status != TextBlock::Status::Ok) {
    loaded.problem = textBlockFailurePrompt(block, base);
    loaded.problemTitle = textBlockFailureTitle(base);
  }
  fillFromBuiltIn(&block, builtInTextBlock(base));
  loaded.texts = distributeTextItems(block.items, block.extra, programDir);
  loaded.texts.tables.languageBase = base;
  return loaded;
}

}  // namespace orvex
