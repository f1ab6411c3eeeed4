#include "helptopics.h"

#include "core/preferences.h"
#include "ui/helpviewer.h"

namespace HelpTopics {

namespace {

constexpr int contactTopic = 2;
constexpr int licenceTopic = 3;

} // namespace

QString helpFilePath(const Preferences &preferences)
{
    return preferences.installDirectory() + QStringLiteral("batch.hlp");
}

void showContents(HelpViewer &viewer, const Preferences &preferences)
{
    viewer.showContents(helpFilePath(preferences));
}

void showContactTopic(HelpViewer &viewer, const Preferences &preferences)
{
    viewer.showTopic(helpFilePath(preferences), contactTopic);
}

void showLicenceTopic(HelpViewer &viewer, const Preferences &preferences)
{
    viewer.showTopic(helpFilePath(preferences), licenceTopic);
}

} // namespace HelpTopics
