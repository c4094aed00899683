#pragma once
#include <QString>
#include <QStringList>

#include <vector>

// The editor's settings described once: which control shows which slot, in which order the
// set is shown, and the captions of the option buttons. The window, ShowParameterSet and
// CollectParameterSet are all built from these tables.
namespace orvex {

enum class ControlKind {
  OptionGroup,  // option buttons NAME(1..n); the slot holds the selected number
  Flag,         // check box; 1 ticked, 2 clear
  NumberBox,    // text box tied to a byte pair (slot = high byte, slot + 1 = low byte)
  ActionBoxes,  // NAME_PI, NAME_PT, NAME_SIR of an alarm input; the slot holds the action code
};

struct MappingStep {
  ControlKind kind;
  int slot;
  const char* control;
};

// Every slot that has a control, in the order ShowParameterSet handles them (each running
// condition flag first, then its number boxes, then its combination).
const std::vector<MappingStep>& mappingSteps();

// The option-group step of `control`, or null.
const MappingStep* optionGroupStep(const QString& control);

// Number of options of an option group (from the slot table).
int optionCount(const MappingStep& step);

// Design captions of the options of the group on `slot`: physical values with their unit
// for the groups that stand for numbers, the layout's own texts otherwise.
QStringList optionCaptions(int slot);

// Design captions of the labels beside the number boxes (their units, the siren's Ton and
// Toff, the battery's Vbat), which only MCALABIV has a language text for; "" for others.
QString numberBoxLabelCaption(const QString& label);

// The names of the three action check boxes of an alarm input.
QString immediateStopBox(const QString& input);  // NAME_PI
QString timedStopBox(const QString& input);      // NAME_PT
QString sirenBox(const QString& input);          // NAME_SIR

// The check boxes that ticking `check` clears, in that order: D+, W and pick-up tell the
// same thing (the engine turns), so one of them at most; immediate and timed stop of an
// alarm input exclude each other.
QStringList checksClearedBy(const QString& check);

// "NAME(i)", the name of member i of a control array.
QString memberName(const QString& array, int index);

}  // namespace orvex
