#include "comparison.h"

#include <QHash>

#include "config/editortable.h"
#include "config/parametermapping.h"
#include "config/slottable.h"

namespace orvex {
namespace {

// Where the editor names a setting: the frame around its control, a second caption after it
// where the frame holds several settings, and the label of a number box's unit.
struct SettingWords {
  int slot;
  int tab;
  const char* frame;
  const char* detail = nullptr;
  const char* unit = nullptr;
};

// clang-format off
const SettingWords kWords[] = {
    {1, 0, "RVNF(1)"}, {2, 0, "RVLIF(1)"}, {3, 0, "RVLSF(1)"}, {4, 0, "RFNF(1)"},
    {5, 0, "RFLF(1)"}, {6, 0, "RDRF"}, {7, 0, "RIAF"},
    {8, 1, "M_PRECAL"}, {9, 1, "Frame1"}, {10, 1, "M_T_A_M"}, {11, 1, "MTE_A"},
    {12, 1, "MNAM"},
    {13, 1, "MCA_PA"}, {14, 1, "MCA_PA"},
    {15, 1, "MCA_BD"}, {48, 1, "MCA_BD", nullptr, "MCALABBD"}, {16, 1, "MCA_BD"},
    {17, 1, "MCA_FA"}, {50, 1, "MCA_FA", nullptr, "MCALABFA"}, {18, 1, "MCA_FA"},
    {19, 1, "MCA_CW"}, {52, 1, "MCA_CW", nullptr, "MCALABCW"}, {20, 1, "MCA_CW"},
    {21, 1, "MCA_PU"}, {54, 1, "MCA_PU", "MCALABPU", "MCALABPU"},
    {56, 1, "MCA_PU", "MCALABIV", "MCALABIV"}, {22, 1, "MCA_PU"},
    {23, 2, "TRRED"}, {24, 2, "Frame6"}, {25, 2, "Frame4"}, {26, 2, "Frame5"},
    {27, 3, "AVLIF(0)"}, {28, 3, "AVLSF(0)"}, {29, 3, "RFLF(0)"}, {30, 3, "Frame3"},
    {31, 4, "Frame201", "Frame8"}, {32, 4, "Frame201", "Frame9"},
    {33, 4, "Frame202", "Frame11"}, {34, 4, "Frame202", "Frame10"},
    {35, 4, "Frame203", "Frame13"}, {36, 4, "Frame203", "Frame12"},
    {37, 4, "Frame204", "Frame15"}, {38, 4, "Frame204", "Frame14"},
    {39, 4, "Frame205", "Frame17"}, {40, 4, "Frame205", "Frame16"},
    {41, 4, "Frame206", "Frame19"}, {42, 4, "Frame206", "Frame18"},
    {58, 4, "Frame207", "Label43", "Label44"}, {43, 4, "Frame207"},
    {60, 4, "Frame207", "Label45", "Label46"}, {44, 4, "Frame208"},
    {62, 4, "Frame209", "Label47", "Label48"},
};
// clang-format on

const SettingWords& wordsFor(int slot) {
  static const QHash<int, const SettingWords*> bySlot = [] {
    QHash<int, const SettingWords*> table;
    for (const SettingWords& words : kWords) table.insert(words.slot, &words);
    return table;
  }();
  static const SettingWords unnamed{0, 0, ""};
  return *bySlot.value(slot, &unnamed);
}

// What each control would show for a set: ShowParameterSet run on controls that only
// remember what they were given, with the slots it could not show.
class ShownControls : public EditorControls {
 public:
  explicit ShownControls(const ParameterSet& set) { unshown_ = showParameterSet(set, *this); }

  bool shows(int slot) const { return !unshown_.contains(slot); }
  int selectedOption(const QString& group) const override { return options_.value(group); }
  void selectOption(const QString& group, int option) override { options_.insert(group, option); }
  bool isChecked(const QString& box) const override { return checks_.value(box); }
  void setChecked(const QString& box, bool ticked) override { checks_.insert(box, ticked); }
  QString text(const QString& numberBox) const override { return texts_.value(numberBox); }
  void setText(const QString& numberBox, const QString& text) override {
    texts_.insert(numberBox, text);
  }

 private:
  QHash<QString, int> options_;
  QHash<QString, bool> checks_;
  QHash<QString, QString> texts_;
  QList<int> unshown_;
};

QList<int> slotsOf(const MappingStep& step) {
  if (step.kind == ControlKind::NumberBox) return {step.slot, step.slot + 1};
  return {step.slot};
}

QString joined(const QString& first, const QString& second) {
  if (second.isEmpty()) return first;
  return first + QStringLiteral(" \u2013 ") + second;
}

// A flag adds its check box's caption, an OR / AND group its two options.
QString settingName(const MappingStep& step, const SettingWords& words,
                    const EditorWording& wording) {
  QString frame = wording.caption(QLatin1String(words.frame));
  if (frame.isEmpty()) frame = QLatin1String(slotInfo(step.slot).name);
  if (words.detail) return joined(frame, wording.caption(QLatin1String(words.detail)));
  if (step.kind == ControlKind::Flag) return joined(frame, wording.caption(step.control));
  if (slotInfo(step.slot).encoding == Encoding::Combination)
    return joined(frame, optionCaptions(step.slot).join(QStringLiteral(" / ")));
  return frame;
}

QString optionCaption(const MappingStep& step, int option, const EditorWording& wording) {
  const QString text = wording.caption(memberName(step.control, option));
  return text.isEmpty() ? optionCaptions(step.slot).value(option - 1).trimmed() : text;
}

QString actionCaption(const MappingStep& step, const ShownControls& shown,
                      const EditorWording& wording) {
  QStringList ticked;
  for (const QString& box :
       {immediateStopBox(step.control), timedStopBox(step.control), sirenBox(step.control)})
    if (shown.isChecked(box)) ticked << wording.caption(box);
  return ticked.isEmpty() ? wording.noneTicked : ticked.join(QStringLiteral(", "));
}

QString rawValue(const QList<int>& slotNumbers, const ParameterSet& set,
                 const EditorWording& wording) {
  QStringList numbers;
  for (const int slot : slotNumbers) numbers << QString::number(set[slot]);
  const QString raw = numbers.join(QStringLiteral(" / "));
  const QString& mark = wording.withoutOption;
  return mark.contains(QLatin1String("%1")) ? mark.arg(raw) : raw + QLatin1Char(' ') + mark;
}

bool showsAll(const QList<int>& slotNumbers, const ShownControls& shown) {
  for (const int slot : slotNumbers)
    if (!shown.shows(slot)) return false;
  return true;
}

QString shownValue(const MappingStep& step, const ParameterSet& set, const ShownControls& shown,
                   const EditorWording& wording) {
  const QList<int> slotNumbers = slotsOf(step);
  if (!showsAll(slotNumbers, shown)) return rawValue(slotNumbers, set, wording);
  switch (step.kind) {
    case ControlKind::OptionGroup:
      return optionCaption(step, shown.selectedOption(step.control), wording);
    case ControlKind::Flag:
      return shown.isChecked(step.control) ? wording.ticked : wording.notTicked;
    case ControlKind::NumberBox: {
      const QString unit = wording.caption(QLatin1String(wordsFor(step.slot).unit));
      return unit.isEmpty() ? shown.text(step.control) : shown.text(step.control) + ' ' + unit;
    }
    case ControlKind::ActionBoxes: return actionCaption(step, shown, wording);
  }
  return {};
}

bool differs(const QList<int>& slotNumbers, const ParameterSet& a, const ParameterSet& b) {
  for (const int slot : slotNumbers)
    if (a[slot] != b[slot]) return true;
  return false;
}

}  // namespace

QString slotsText(const QList<int>& slotNumbers) {
  QStringList numbers;
  for (const int slot : slotNumbers) numbers << QString::number(slot);
  return numbers.join(QLatin1Char('+'));
}

QList<SettingDifference> compareSets(const ParameterSet& editor, const ParameterSet& other,
                                     const EditorWording& wording) {
  const ShownControls editorShows(editor);
  const ShownControls otherShows(other);
  QList<SettingDifference> differences;
  for (const MappingStep& step : mappingSteps()) {
    const QList<int> slotNumbers = slotsOf(step);
    if (!differs(slotNumbers, editor, other)) continue;
    const SettingWords& words = wordsFor(step.slot);
    SettingDifference difference{slotNumbers,
                                 wording.section(words.tab),
                                 settingName(step, words, wording),
                                 shownValue(step, editor, editorShows, wording),
                                 shownValue(step, other, otherShows, wording),
                                 showsAll(slotNumbers, otherShows),
                                 {}};
    for (const int slot : slotNumbers) difference.otherSlotValues << other[slot];
    differences << difference;
  }
  return differences;
}

void takeOtherValue(const SettingDifference& difference, ParameterSet* set) {
  for (qsizetype i = 0; i < difference.slotNumbers.size(); ++i)
    (*set)[difference.slotNumbers[i]] = difference.otherSlotValues.value(i);
}

}  // namespace orvex
