#include "qvtformat.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "common/textfile.h"
#include "files/filename.h"
#include "files/filetexts.h"
#include "lang/extratexts.h"

namespace orvex {

namespace {

constexpr int kStoredSlots = kLastSlot - kFirstSlot + 1;

QString listStyle(int value) {
  return (value >= 0 ? QStringLiteral(" ") : QString()) + QString::number(value) +
         QStringLiteral(" ");
}

struct Token {
  QString text;
  int line;
};

// Items separated by line ends, commas and blanks, each with its line number.
QList<Token> listItems(const QString& content, int wanted) {
  static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
  QList<Token> items;
  const QStringList lines = content.split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size() && items.size() < wanted; ++i) {
    const QStringList words = lines[i].split(separators, Qt::SkipEmptyParts);
    for (const QString& word : words) {
      items.append({word, i + 1});
      if (items.size() == wanted) break;
    }
  }
  return items;
}

QString nativePath(const QString& path) { return QDir::toNativeSeparators(path); }

// The file's text, or false with *problem saying why (unreadable, or too large to be read).
bool readLimited(const QString& path, qint64 limit, QString* content, QString* problem,
                 const TextTables* texts) {
  ReadFailure failure;
  if (readTextFile(path, limit, content, &failure)) return true;
  if (problem)
    *problem = failure.tooLarge()
                   ? extraText(texts, extra::FileTooLarge).arg(nativePath(path)).arg(failure.size)
                   : extraText(texts, extra::FileUnreadable).arg(nativePath(path), failure.reason);
  return false;
}

// Default.fil is read list-style: a name with a comma or blanks at its ends is quoted so
// that it comes back whole (the name check lets no double quote into a name).
QString defaultFileItem(const QString& name) {
  const bool plain = !name.contains(QLatin1Char(',')) && name == name.trimmed();
  return plain ? name : QLatin1Char('"') + name + QLatin1Char('"');
}

}  // namespace

QString formatQvt(const ParameterSet& set) {
  QString text;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) text += listStyle(set[k]) + QStringLiteral("\r\n");
  return text;
}

bool readQvtFile(const QString& path, ParameterSet* set, QString* problem,
                 const TextTables* texts) {
  QString content;
  if (!readLimited(path, kConfigFileLimit, &content, problem, texts)) return false;
  // One item more than a configuration holds tells a damaged file (blank lines are fine).
  const QList<Token> items = listItems(content, kStoredSlots + 1);
  if (items.size() < kStoredSlots) {
    if (problem) *problem = extraText(texts, extra::FileTooShort).arg(nativePath(path));
    return false;
  }
  if (items.size() > kStoredSlots) {
    if (problem)
      *problem = extraText(texts, extra::QvtExtraValues)
                     .arg(nativePath(path), QString::number(items.last().line));
    return false;
  }
  ParameterSet read = *set;
  for (int i = 0; i < kStoredSlots; ++i) {
    bool ok = false;
    const int value = items[i].text.toInt(&ok);
    if (!ok || value < -32768 || value > 32767) {
      if (problem)
        *problem = extraText(texts, extra::FileBadNumber)
                       .arg(nativePath(path), QString::number(items[i].line));
      return false;
    }
    read[kFirstSlot + i] = static_cast<qint16>(value);
  }
  *set = read;
  return true;
}

bool writeQvtFile(const QString& path, const ParameterSet& set, QString* error) {
  return writeTextFileAtomic(path, formatQvt(set), error);
}

QString firstListItem(const QString& text) {
  QString line = text.section(QLatin1Char('\n'), 0, 0);
  if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  const QString rest = line.trimmed();
  if (rest.startsWith(QLatin1Char('"'))) {
    const int close = rest.indexOf(QLatin1Char('"'), 1);
    return close < 0 ? rest.mid(1) : rest.mid(1, close - 1);
  }
  return rest.section(QLatin1Char(','), 0, 0).trimmed();
}

QString configFilePath(const QString& programDir, const QString& name) {
  const QString folder = findFileNoCase(programDir, QStringLiteral("CONFIG"));
  return findFileNoCase(folder, name + QStringLiteral(".QVT"));
}

QString defaultFilePath(const QString& programDir) {
  const QString existing = findFileNoCase(programDir, QStringLiteral("Default.fil"));
  return QFileInfo::exists(existing) ? existing
                                     : QDir(programDir).filePath(QStringLiteral("DEFAULT.FIL"));
}

bool loadDefaultConfiguration(const QString& programDir, ParameterSet* set, QString* problem,
                              const TextTables* texts) {
  const QString defaultPath = findFileNoCase(programDir, QStringLiteral("Default.fil"));
  QString content;
  ReadFailure failure;
  const bool read = readTextFile(defaultPath, kSettingsFileLimit, &content, &failure);
  if (failure.tooLarge()) {
    if (problem)
      *problem =
          extraText(texts, extra::FileTooLarge).arg(nativePath(defaultPath)).arg(failure.size);
    return false;
  }
  const QString name = read ? firstListItem(content) : QString();
  // A name that is no plain file name could lead the read outside CONFIG.
  if (!isSafeFileName(name)) {
    if (problem) *problem = extraText(texts, extra::DefaultMissing).arg(nativePath(defaultPath));
    return false;
  }
  return readQvtFile(configFilePath(programDir, name), set, problem, texts);
}

bool writeDefaultFile(const QString& programDir, const QString& name, QString* error) {
  return writeTextFileAtomic(defaultFilePath(programDir),
                             defaultFileItem(name) + QStringLiteral("\r\n"), error);
}

}  // namespace orvex
