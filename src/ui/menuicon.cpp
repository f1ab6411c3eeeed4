#include "menuicon.h"

#include "core/executableicon.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

QByteArray menuIconPng(const QString &programHostPath)
{
    // Qt reads .ico files itself, both the bitmap pictures and the PNG ones,
    // so no tool has to be installed or waited for.
    const QByteArray ico =
        programHostPath.isEmpty() ? QByteArray() : ExecutableIcon::fromFile(programHostPath);
    const QImage picture = QImage::fromData(ico, "ICO");
    QByteArray png;
    QBuffer buffer(&png);
    if (!picture.isNull() && buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"))
        return png;
    QFile own(QStringLiteral(":/tolvane/tolvane.png"));
    return own.open(QIODevice::ReadOnly) ? own.readAll() : QByteArray();
}
