#include "helpbrowser.h"

#include "core/regularfile.h"

#include <QFileInfo>
#include <QImage>
#include <QTextDocument>

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent) {}

// What is refused is an empty value, never a null one, and an image is a
// blank one: given nothing, or bytes that are no image, Qt goes and reads the
// file itself.
QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    QImage blank(1, 1, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    const QVariant nothing =
        type == QTextDocument::ImageResource ? QVariant(blank) : QVariant(QByteArray());
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (!url.isLocalFile() || m_helpFile.isEmpty())
        return nothing;
    const QFileInfo file(url.toLocalFile());
    const QString canonical = file.canonicalFilePath();
    const bool allowed = type == QTextDocument::HtmlResource
                             ? canonical == m_helpFile
                             : QFileInfo(canonical).path() == QFileInfo(m_helpFile).path();
    if (canonical.isEmpty() || !allowed)
        return nothing;
    const RegularFile::Content content = RegularFile::read(canonical, largestFile);
    if (!content.ok())
        return nothing;
    if (type == QTextDocument::ImageResource) {
        const QImage image = QImage::fromData(content.data);
        return image.isNull() ? nothing : QVariant(image);
    }
    return content.data;
}
