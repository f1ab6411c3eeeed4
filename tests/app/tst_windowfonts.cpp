// Every window drawn under each face the package brings: no text is cut off
// and no label runs into another control. With TOLVANE_SCREENSHOTS set to a
// folder, each window is saved there as a picture to look at.
#include "harness.h"

#include "core/settingsentries.h"
#include "ui/fonts.h"
#include "ui/forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

namespace {

// The text's own width, mnemonic marks left out.
int textWidth(const QWidget *widget, const QString &text)
{
    return widget->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&')));
}

// What in `widget` is cut off, or nothing.
QString clipped(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        if (label->text().isEmpty() || label->frameShape() != QFrame::NoFrame)
            return {}; // an empty status line; a field that may hold any path
        const QRect room = label->contentsRect();
        const bool fits = label->wordWrap() ? label->heightForWidth(room.width()) <= room.height()
                                            : label->sizeHint().width() <= label->width() &&
                                                  label->sizeHint().height() <= label->height();
        return fits ? QString() : label->text();
    }
    if (const auto *check = qobject_cast<const QCheckBox *>(widget))
        return check->sizeHint().width() <= check->width() ? QString() : check->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        const int padding = 8; // the bevel and a little air on each side
        return textWidth(button, button->text()) + padding <= button->width() ? QString()
                                                                              : button->text();
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return textWidth(frame, frame->title()) < frame->width() ? QString() : frame->title();
    return {};
}

QRect inWindow(const QWidget *widget, QRect rect)
{
    return rect.translated(widget->mapTo(widget->window(), QPoint(0, 0)));
}

// Where a label's text is drawn, rather than the label's whole box.
QRect textRect(const QLabel *label)
{
    const QRect room = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return label->fontMetrics().boundingRect(room, flags, label->text()).intersected(room);
}

} // namespace

class TestWindowFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingCutOffOrOverlapping_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("kind");
        const QList<std::pair<const char *, WindowKind>> windows{
            {"main", WindowKind::MainWindow},
            {"confirmation", WindowKind::Confirmation},
            {"about", WindowKind::About},
            {"directory picker", WindowKind::DirectoryPicker},
            {"program picker", WindowKind::ProgramPicker},
            {"enable tray icon", WindowKind::EnableTrayIcon},
            {"disable tray icon", WindowKind::DisableTrayIcon}};
        // The desktop's font at the sizes desktops commonly set.
        for (const QString &family : {u"Liberation Sans"_qs, u"DejaVu Sans"_qs}) {
            for (const int points : {9, 10, 12, 14}) {
                for (const auto &[name, kind] : windows)
                    QTest::addRow("%s %d pt, %s", qPrintable(family), points, name)
                        << family << points << int(kind);
            }
        }
    }
    void nothingCutOffOrOverlapping()
    {
        QFETCH(QString, family);
        QFETCH(int, points);
        QFETCH(int, kind);
        QVERIFY2(QFontDatabase::families().contains(family), qPrintable(family));
        // The desktop's font for menus and buttons, and the windows' own face.
        QApplication::setFont(QFont(family, points));
        Fonts::chooseWindowFamily(family);

        Harness harness;
        harness.settings->write(SettingsEntries::lastBatchPath, u"c:\\Programs\\tool.bat"_qs);
        harness.start();
        auto *window = dynamic_cast<QWidget *>(harness.forms->load(WindowKind(kind)));
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->fontInfo().family(), family);
        saveScreenshot(window, u"%1 %2"_qs.arg(family).arg(points));
        // Nor does the screen's edge cut it off (tst_windowfonts_scaled has
        // 512x384 pixels of room): each way the window fits it lies wholly on
        // the screen, and each way it does not it starts at the screen's edge.
        const QRect area = window->screen()->availableGeometry();
        const QRect frame = window->frameGeometry();
        QVERIFY2(area.contains(QRect(frame.topLeft(), frame.size().boundedTo(area.size()))),
                 qPrintable(QDebug::toString(frame)));

        QStringList faults;
        const QList<QWidget *> controls = window->findChildren<QWidget *>();
        for (const QWidget *control : controls) {
            if (!control->isVisibleTo(window))
                continue;
            if (const QString text = clipped(control); !text.isEmpty())
                faults << u"cut off: \"%1\""_qs.arg(text);
            // Labels and buttons stand wholly inside their parents.
            const auto *label = qobject_cast<const QLabel *>(control);
            const bool bearsText = (label && !label->text().isEmpty()) ||
                                   qobject_cast<const QAbstractButton *>(control);
            if (bearsText && !control->parentWidget()->rect().contains(control->geometry()))
                faults << u"outside its parent: %1"_qs.arg(control->objectName());
            if (!label || label->text().isEmpty())
                continue;
            for (const QWidget *other : controls) {
                if (other == label || !other->isVisibleTo(window) || other->isAncestorOf(label) ||
                    label->isAncestorOf(other) || other->objectName().isEmpty())
                    continue;
                // Touching counts: text needs a pixel of air.
                const QRect text = textRect(label).adjusted(-1, -1, 1, 1);
                if (inWindow(label, text).intersects(inWindow(other, other->rect())))
                    faults << u"\"%1\" runs into %2"_qs.arg(label->text(), other->objectName());
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; "_qs)));
    }

    // A desktop whose sans-serif is a typewriter face gets the window face
    // for menus and buttons, at the desktop's size.
    void fixedPitchDesktopFontReplaced()
    {
        Fonts::chooseWindowFamily(u"Liberation Sans"_qs);
        QApplication::setFont(QFont(u"Liberation Mono"_qs, 11));
        Fonts::avoidFixedPitchApplicationFont();
        QCOMPARE(QFontInfo(QApplication::font()).family(), u"Liberation Sans"_qs);
        QCOMPARE(QApplication::font().pointSize(), 11);
    }

private:
    static void saveScreenshot(QWidget *window, const QString &family)
    {
        const QString folder = qEnvironmentVariable("TOLVANE_SCREENSHOTS");
        if (!folder.isEmpty())
            window->grab().save(u"%1/%2 %3.png"_qs.arg(folder, window->objectName(), family));
    }
};

QTEST_MAIN(TestWindowFonts)
#include "tst_windowfonts.moc"
