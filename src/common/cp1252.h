#pragma once
#include <QByteArray>
#include <QString>

// The program's text files are Windows-1252, as the installed base has them.
namespace orvex {

QString fromCp1252(const QByteArray& bytes);
// Characters without a Windows-1252 form become '?'; *lossless tells whether any did.
QByteArray toCp1252(const QString& text, bool* lossless = nullptr);
// The characters of `text` that Windows-1252 cannot hold, each once, in order.
QString charactersWithoutCp1252Form(const QString& text);

}  // namespace orvex
