#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The icon a Windows program carries among the resources of its file, as the
// bytes of an .ico file holding the largest picture of its first icon group;
// empty when the file is no Windows program (PE) or carries no icon. Every
// read is bounded and checked against the file, so a damaged or hostile file
// costs a few small reads and nothing more.
namespace ExecutableIcon {

QByteArray fromFile(const QString &path);
// `file` is open and random-access.
QByteArray read(QIODevice &file);

} // namespace ExecutableIcon
