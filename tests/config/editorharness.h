#pragma once
#include <memory>

#include "common/ui/appservices.h"
#include "config/ui/configqvt.h"
#include "support/servicesfixture.h"

namespace orvex::test {

// An editor window's services, with a chosen default configuration instead of the files.
struct EditorHarness : ServicesFixture {
  QStringList loadLog;
  std::unique_ptr<ConfigQVT> editor;

  void create(const ParameterSet& defaultSet) {
    create([defaultSet](ParameterSet* set, QString*) {
      *set = defaultSet;
      return true;
    });
  }
  void create(std::function<bool(ParameterSet*, QString*)> readDefault) {
    ConfigQVT::LoadSteps steps;
    steps.applySerialSettings = [this] { loadLog << "serial"; };
    steps.readDefaultConfiguration = [this, readDefault](ParameterSet* set, QString* problem) {
      loadLog << "default";
      return readDefault(set, problem);
    };
    editor = std::make_unique<ConfigQVT>(services, steps);
  }
  template <typename T>
  T* find(const QString& name) const {
    return editor->findChild<T*>(name);
  }
};

}  // namespace orvex::test
