#include "pickers/filelistmodel.h"

#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

// The file list takes a folder in sorted batches that overlap in any order,
// and must show the same as if it had got every name at once.
class TestFileListModel : public QObject
{
    Q_OBJECT

    static NameBatch batch(QStringList names)
    {
        NameBatch result;
        for (const QString &name : names)
            result.push_back({name, WildcardPattern::fold(name)});
        std::sort(result.begin(), result.end());
        return result;
    }

    static QStringList shown(const FileListModel &model)
    {
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row)
            names.append(model.index(row).data().toString());
        return names;
    }

private Q_SLOTS:
    void batchesMergeIntoOneSortedList()
    {
        FileListModel model;
        model.addNames(batch({u"b.exe"_s, u"Zeta.txt"_s}));
        model.addNames(batch({u"a.txt"_s, u"C.EXE"_s}));
        model.addNames(batch({u"y.exe"_s, u"B.txt"_s}));
        QCOMPARE(shown(model), QStringList({u"a.txt"_s, u"b.exe"_s, u"B.txt"_s, u"C.EXE"_s,
                                            u"y.exe"_s, u"Zeta.txt"_s}));
    }

    void laterBatchesFollowThePattern()
    {
        FileListModel model;
        model.addNames(batch({u"b.exe"_s, u"b.txt"_s}));
        model.setPattern(u"*.EXE"_s);
        QCOMPARE(shown(model), QStringList({u"b.exe"_s}));
        model.addNames(batch({u"a.exe"_s, u"a.txt"_s}));
        QCOMPARE(shown(model), QStringList({u"a.exe"_s, u"b.exe"_s}));
        model.setPattern({});
        QCOMPARE(shown(model), QStringList({u"a.exe"_s, u"a.txt"_s, u"b.exe"_s, u"b.txt"_s}));
        QCOMPARE(model.fileCount(), 4);
    }

    // The highlighted entry stays on its name while the list around it
    // changes, and goes when its name is filtered out.
    void highlightedEntryFollowsItsName()
    {
        FileListModel model;
        model.addNames(batch({u"m.exe"_s, u"n.txt"_s}));
        QPersistentModelIndex highlighted = model.index(0);
        QCOMPARE(highlighted.data().toString(), u"m.exe"_s);

        model.addNames(batch({u"a.exe"_s, u"b.exe"_s}));
        QCOMPARE(highlighted.row(), 2);
        QCOMPARE(highlighted.data().toString(), u"m.exe"_s);

        model.setPattern(u"m*"_s);
        QCOMPARE(highlighted.row(), 0);
        model.setPattern(u"*.txt"_s);
        QVERIFY(!highlighted.isValid());
    }
};

QTEST_GUILESS_MAIN(TestFileListModel)
#include "tst_filelistmodel.moc"
