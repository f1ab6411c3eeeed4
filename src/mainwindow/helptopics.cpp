#include "helptopics.h"

#include "core/settingsentries.h"
#include "core/settingsstore.h"
#include "helpcontrol.h"
#include "ui/helpviewer.h"

namespace HelpTopics {

namespace {

constexpr qint32 contactTopic = 2;
constexpr qint32 licenceTopic = 3;

void showTopic(HelpControl &dialog, const SettingsStore &settings, qint32 topic)
{
    dialog.setHelpCommand(HelpViewer::ContextCommand);
    dialog.setHelpContext(topic);
    dialog.setHelpFile(helpFilePath(settings));
    dialog.showHelp();
}

} // namespace

QString helpFilePath(const SettingsStore &settings)
{
    return settings.read(SettingsEntries::installDirectory) + QStringLiteral("batch.hlp");
}

void showContents(HelpControl &dialog, const SettingsStore &settings)
{
    dialog.setHelpCommand(HelpViewer::ForceFileCommand);
    dialog.setHelpFile(helpFilePath(settings));
    dialog.showHelp();
}

void showContactTopic(HelpControl &dialog, const SettingsStore &settings)
{
    showTopic(dialog, settings, contactTopic);
}

void showLicenceTopic(HelpControl &dialog, const SettingsStore &settings)
{
    showTopic(dialog, settings, licenceTopic);
}

} // namespace HelpTopics
