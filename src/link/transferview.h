#pragma once
#include <QString>

namespace orvex {

// Colours of the phase label: green (0, 255, 0), cyan (0, 255, 255), red (255, 0, 0).
enum class PhaseColour { Green, Cyan, Red };

// What the read and write dialogues show of their progress (the GrabQVT window), so the
// dialogues themselves need no widgets.
class TransferView {
 public:
  virtual ~TransferView() = default;
  virtual void showProgress() = 0;  // shown without blocking the editor
  virtual void hideProgress() = 0;
  virtual void setTitle(const QString& text) = 0;
  virtual void setPhase(const QString& text, PhaseColour colour) = 0;  // Label1
  virtual void setStep(const QString& text) = 0;                       // proceso
  virtual void appendToStep(const QString& text) = 0;
  // Whether the user may stop the transfer now (Cancel); not once a write's registers are
  // going out, and the view then says why.
  virtual void setCancellable(bool /*cancellable*/) {}
};

}  // namespace orvex
