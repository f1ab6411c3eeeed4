#pragma once

#include <QString>

class HelpViewer;
class Preferences;

// The three Help menu items. Each builds the help file's path afresh, so a
// changed installation folder counts from the next use on.
namespace HelpTopics {

// The stored installation folder followed directly by "batch.hlp": the stored
// folder brings its own trailing separator, none is added here.
QString helpFilePath(const Preferences &preferences);

// "Tolvane Help": the help file at its opening topic.
void showContents(HelpViewer &viewer, const Preferences &preferences);
// "How To Contact the Author": topic 2.
void showContactTopic(HelpViewer &viewer, const Preferences &preferences);
// "License Agreement": topic 3.
void showLicenceTopic(HelpViewer &viewer, const Preferences &preferences);

} // namespace HelpTopics
