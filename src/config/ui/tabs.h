#pragma once
#include <QString>
#include <QStringList>

class QGroupBox;
class QWidget;

namespace orvex {

class ControlSet;
class MessageBoxes;
struct ProgramContext;

// What the reactions need beyond the controls: the texts and the message boxes.
struct EditorEnv {
  ProgramContext& context;
  MessageBoxes& messages;
};

// One builder per tab; each returns the tab's page with its frame and controls.
QWidget* buildMainsTab(ControlSet& controls);
QWidget* buildStartTab(ControlSet& controls);
QWidget* buildStopTab(ControlSet& controls);
QWidget* buildAlternatorTab(ControlSet& controls);
QWidget* buildInputsTab(ControlSet& controls);

// The reactions that keep the controls consistent; wired once all tabs exist.
void wireStartReactions(ControlSet& controls, EditorEnv env);
void wireInputReactions(ControlSet& controls);

// The absolute alarm values (labels `values`) beside their captions (labels `captions`).
QGroupBox* makeAlarmValuesFrame(ControlSet& controls, const QString& frame,
                                const QStringList& captions, const QStringList& values);

// A scrolling page around one frame, so no language's captions are ever cut off.
QWidget* tabPage(QWidget* frame);

}  // namespace orvex
