#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Names on a Linux disk are bytes, not text: most are UTF-8, but any byte
// but '/' and NUL may stand in a name. Each byte that is not part of valid
// UTF-8 is kept as the lone surrogate U+DC80..U+DCFF (and turned back into
// that byte), so that every name read from a folder leads back to the same
// entry, and text that is valid UTF-8 reads exactly as Qt would read it.
namespace HostName {

QString fromBytes(QByteArrayView bytes);
QByteArray toBytes(QStringView text);

// Whether the text holds a byte that was not valid UTF-8.
bool hasRawBytes(QStringView text);
// The text fit to be shown: each such byte becomes U+FFFD.
QString forDisplay(QString text);

} // namespace HostName
