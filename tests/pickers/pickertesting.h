#pragma once

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Small helpers for driving the pickers' lists the way a user would.
namespace PickerTesting {

inline QStringList rows(const QAbstractItemView *view)
{
    QStringList texts;
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

inline QModelIndex indexOf(const QAbstractItemView *view, const QString &text)
{
    const int row = rows(view).indexOf(text);
    return row < 0 ? QModelIndex() : view->model()->index(row, 0);
}

inline QPoint centreOf(QAbstractItemView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    return view->visualRect(index).center();
}

inline bool doubleClick(QAbstractItemView *view, const QString &text)
{
    const QModelIndex index = indexOf(view, text);
    if (!index.isValid())
        return false;
    const QPoint at = centreOf(view, index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    return true;
}

inline bool click(QAbstractItemView *view, const QString &text)
{
    const QModelIndex index = indexOf(view, text);
    if (!index.isValid())
        return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(view, index));
    return true;
}

inline void makeFiles(const QString &folder, const QStringList &names)
{
    QDir().mkpath(folder);
    for (const QString &name : names) {
        QFile file(folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

// Names Linux allows but a DOS path cannot hold, as bytes on disk and as
// the lists show them.
inline void oddNameRows()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("backslash") << QByteArray("a\\b") << QStringLiteral("a\\b");
    QTest::newRow("not UTF-8") << QByteArray("caf\xe9") << QStringLiteral("caf\uFFFD");
    QTest::newRow("control character") << QByteArray("tab\there") << QStringLiteral("tab\there");
    QTest::newRow("wildcard") << QByteArray("what?") << QStringLiteral("what?");
}

// A folder or file of that name in `folder`, both given as bytes, for as
// long as the object lives (Qt could not remove it: it skips such names).
class RawName
{
public:
    RawName(const QByteArray &folder, const QByteArray &name, bool isFolder)
        : m_path(folder + '/' + name), m_isFolder(isFolder)
    {
        QVERIFY(isFolder ? ::mkdir(m_path.constData(), 0755) == 0
                         : ::close(::open(m_path.constData(), O_CREAT | O_WRONLY, 0644)) == 0);
    }
    ~RawName() { m_isFolder ? ::rmdir(m_path.constData()) : ::unlink(m_path.constData()); }
    RawName(const RawName &) = delete;
    RawName &operator=(const RawName &) = delete;

private:
    QByteArray m_path;
    bool m_isFolder;
};

// The process's current folder for one test; the pickers open there.
class CurrentFolder
{
public:
    explicit CurrentFolder(const QString &folder) : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(folder);
    }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }
    CurrentFolder(const CurrentFolder &) = delete;
    CurrentFolder &operator=(const CurrentFolder &) = delete;

private:
    QString m_previous;
};

} // namespace PickerTesting
