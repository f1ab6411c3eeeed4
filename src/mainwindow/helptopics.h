#pragma once

#include <QString>

class HelpControl;
class SettingsStore;

// The three Help menu items. Each builds the help file's path afresh, so a
// changed installation folder counts from the next use on.
namespace HelpTopics {

// The stored installation folder followed directly by "batch.hlp": the stored
// folder brings its own trailing separator, none is added here.
QString helpFilePath(const SettingsStore &settings);

// "Tolvane Help": the help file at its opening topic. The context is left as
// an earlier item set it; the force-file command does not use it.
void showContents(HelpControl &dialog, const SettingsStore &settings);
// "How To Contact the Author": topic 2.
void showContactTopic(HelpControl &dialog, const SettingsStore &settings);
// "License Agreement": topic 3.
void showLicenceTopic(HelpControl &dialog, const SettingsStore &settings);

} // namespace HelpTopics
