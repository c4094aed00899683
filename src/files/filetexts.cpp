#include "filetexts.h"

#include "lang/extratexts.h"

namespace orvex {

namespace {

const char* englishFallback(int item) {
  switch (item) {
    case extra::FileErrorTitle: return "Configuration file";
    case extra::FileUnreadable: return "The file %1 cannot be read: %2. Nothing was loaded.";
    case extra::FileTooShort: return "The file %1 holds fewer than 63 values. Nothing was loaded.";
    case extra::FileBadNumber:
      return "Line %2 of the file %1 is not a whole number from -32768 to 32767. "
             "Nothing was loaded.";
    case extra::DefaultMissing:
      return "The default configuration file %1 is missing or names no file.";
    case extra::NameInvalidTitle: return "File name not valid";
    case extra::NameInvalid:
      return "\"%1\" cannot be a file name: it may not contain \\ / : * ? \" < > |, control "
             "characters, \"..\" or a drive, may not be a device name (CON, COM1 ...) and may "
             "not end in a dot or blank. Nothing was written.";
    case extra::WriteFailedTitle: return "File not written";
    case extra::WriteFailed:
      return "The file %1 could not be written: %2. Any previous file is unchanged. Check that "
             "the folder exists and the disk is not full.";
    case extra::ReportWritten: return "Report file %1 written.";
    default: return "";
  }
}

}  // namespace

QString extraText(const TextTables* texts, int item) {
  if (texts && item > 0 && item < static_cast<int>(texts->extra.size()) &&
      !texts->extra[static_cast<size_t>(item)].isEmpty())
    return texts->extra[static_cast<size_t>(item)];
  return QString::fromLatin1(englishFallback(item));
}

}  // namespace orvex
