#include "aboutwindow.h"

#include "version.h"

#include "core/settingsstore.h"
#include "core/unloadmarker.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/forms.h"
#include "ui/labelfit.h"
#include "ui/programicon.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {

constexpr int iconSize = 32;

} // namespace

AboutWindow::AboutWindow(Forms &forms) : Form(forms)
{
    setObjectName(QStringLiteral("BatchAboutBox"));
    setWindowTitle(tr("About Tolvane"));
    setWindowIcon(programIcon());
    Accessibility::presentAsDialog(this);
    // A fixed border with a close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // The labels other than the title use the window's font.
    setFont(windowFont(8.25));
    // Not centred: the client area stands at its fixed position.
    setGeometry(twipsRect(3210, 2205, 6030, 4485));
    setFixedSize(twips(6030), twips(4485));
    keepOnScreen(this);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("BatchImage"));
    image->setPixmap(programIcon().pixmap(iconSize, iconSize));
    image->setGeometry(twipsRect(120, 120, 480, 480));

    const int rightMargin = twips(120);
    m_titleLabel = Controls::makeLabel(this, "UtilityTitle",
                                       tr("Tolvane V%1").arg(QStringLiteral(TOLVANE_VERSION)),
                                       twipsRect(960, 240, 3375, 255));
    m_titleLabel->setFont(windowFont(9.75, true));
    widenLabelToText(m_titleLabel, rightMargin);
    QLabel *copyright = Controls::makeLabel(this, "Copyright_Version",
                                            tr("Copyright \u00a9 2026 The Tolvane developers"),
                                            twipsRect(960, 720, 1290, 195));
    widenLabelToText(copyright, rightMargin);
    QLabel *designed = Controls::makeLabel(this, "Designed_Label",
                                           tr("Designed and written by the Tolvane developers"),
                                           twipsRect(960, 960, 2535, 255));
    widenLabelToText(designed, rightMargin);
    m_descriptionLabel = Controls::makeLabel(
        this, "UtilityDescription",
        tr("Allows the user to automatically create a simple batch file in 4 simple steps"),
        twipsRect(960, 1320, 3135, 495));
    fitLabelToText(m_descriptionLabel);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(twips(240), twips(3240), twips(5760 - 240), 1);
    line->setAutoFillBackground(true);
    QPalette white = line->palette();
    white.setColor(QPalette::Window, Qt::white);
    line->setPalette(white);

    m_ok = new QToolButton(this);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setText(tr("&OK"));
    m_ok->setToolTip(tr("Back to Tolvane"));
    m_ok->setIcon(programIcon());
    m_ok->setIconSize(QSize(iconSize, iconSize));
    m_ok->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_ok->setFocusPolicy(Qt::StrongFocus);
    Controls::pressOnEnter(m_ok);
    m_ok->setGeometry(twipsRect(4080, 3360, 1215, 855));
    m_ok->setFocus();
    connect(m_ok, &QToolButton::clicked, this, [this] { this->forms().unload(this); });
}

void AboutWindow::loadHandling()
{
    show();
    UnloadMarker::set(services().settings);
}
