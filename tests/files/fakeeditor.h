#pragma once
#include <QHash>
#include <QStringList>
#include <QWidget>

#include <memory>

#include "common/ui/appservices.h"
#include "support/recordingmessageboxes.h"
#include "support/servicesfixture.h"
#include "support/tempprogramdir.h"

namespace orvex::test {

// Stands in for ConfigQVT: records what the file and report windows ask of the editor.
class FakeEditor : public QWidget, public EditorAccess {
 public:
  explicit FakeEditor(ProgramContext& context) : context_(context) {}
  void showParameterSet() override { shown.append(context_.configLeida); }
  void collectParameterSet() override {
    ++collections;
    context_.configEditada = editorSet;
  }
  void showSet(const ParameterSet& set) override { editorSet = set; }
  // Counts holds as ConfigQVT does: enabled again only when every holder released its hold.
  void setCommandButtonsEnabled(bool enabled) override {
    holds = enabled ? qMax(0, holds - 1) : holds + 1;
    buttonsEnabled = holds == 0;
  }
  QString numberBoxText(const QString& name) const override { return boxes.value(name); }

  QList<ParameterSet> shown;  // ConfigLeida at each ShowParameterSet
  int collections = 0;
  ParameterSet editorSet;  // what the controls "hold"
  bool buttonsEnabled = true;
  int holds = 0;
  QHash<QString, QString> boxes;

 private:
  ProgramContext& context_;
};

// A program directory, the shared services and the fake editor under "ConfigQVT".
struct WindowFixture : ProgramDirFixture {
  WindowFixture() : ProgramDirFixture(true) {
    windows.add(QStringLiteral("ConfigQVT"), [this] { return editor = new FakeEditor(context); });
    windows.window(QStringLiteral("ConfigQVT"));
  }
  FakeEditor* editor = nullptr;
};

}  // namespace orvex::test
