#include "helptopics.h"

#include "app/settingskeys.h"
#include "app/settingsstore.h"
#include "commondialog.h"
#include "helpviewer.h"

namespace HelpTopics {

namespace {

constexpr qint32 contactTopic = 2;
constexpr qint32 licenceTopic = 3;

void showTopic(CommonDialog &dialog, const SettingsStore &settings, qint32 topic)
{
    dialog.setHelpCommand(HelpViewer::ContextCommand);
    dialog.setHelpContext(topic);
    dialog.setHelpFile(helpFilePath(settings));
    dialog.showHelp();
}

} // namespace

QString helpFilePath(const SettingsStore &settings)
{
    using SettingsKeys::installDirectory;
    return settings.read(installDirectory.section, installDirectory.key, QString()) +
           QStringLiteral("batch.hlp");
}

void showContents(CommonDialog &dialog, const SettingsStore &settings)
{
    dialog.setHelpCommand(HelpViewer::ForceFileCommand);
    dialog.setHelpFile(helpFilePath(settings));
    dialog.showHelp();
}

void showContactTopic(CommonDialog &dialog, const SettingsStore &settings)
{
    showTopic(dialog, settings, contactTopic);
}

void showLicenceTopic(CommonDialog &dialog, const SettingsStore &settings)
{
    showTopic(dialog, settings, licenceTopic);
}

} // namespace HelpTopics
