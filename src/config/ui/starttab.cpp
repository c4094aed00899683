#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/context.h"
#include "common/messageboxes.h"
#include "config/editortable.h"
#include "config/ui/controlset.h"
#include "config/ui/optiongroup.h"
#include "config/ui/runningconditions.h"
#include "config/ui/tabs.h"
#include "config/ui/widgetstyle.h"
#include "lang/textlookup.h"

namespace orvex {
namespace {

constexpr int kNoPreheating = 1;
constexpr int kAlternatorFrequencyPrompt = 34;
constexpr int kAlternatorFrequencyTitle = 35;

QGroupBox* preheatingFrame(ControlSet& c) {
  QGroupBox* frame = ControlSet::makeFrame("M_PRECAL", "Precalentamiento");
  auto* grid = new QGridLayout(frame);
  c.makeGroup("MPCM")->addTo(grid, 1);
  QLabel* note = c.makeNote("Label15", QString::fromUtf8("Bujías conectadas antes de arrancar"));
  grid->addWidget(note, 3, 0);
  grid->addWidget(c.makeGroupFrame("Frame1", "Tiempo Precltmto", "MPC", 4), 0, 1, 4, 1);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(0, 1);
  return frame;
}

QGroupBox* crankingFrame(ControlSet& c) {
  QGroupBox* frame = ControlSet::makeFrame("M_ARRANQUE", "Arranque");
  auto* box = new QVBoxLayout(frame);
  box->addWidget(c.makeGroupFrame("M_T_A_M", "Tiempo de Arranque", "MTA", 4, "Label16",
                                  QString::fromUtf8("Máximo por intento")));
  box->addWidget(c.makeGroupFrame("MTE_A", "Tiempo Entre Arranques Consecutivos.", "MTEA", 4,
                                  "Label17", QString::fromUtf8("Pausa entre dos intentos")));
  box->addWidget(
      c.makeGroupFrame("MNAM", QString::fromUtf8("Número Máximo de Intentos de Arranque"), "MIAM",
                       5, "Label18", QString::fromUtf8("Después, fallo de arranque")));
  box->addStretch(1);
  return frame;
}

// One running condition: check box, number boxes with their units, OR / AND.
QGroupBox* conditionFrame(ControlSet& c, const RunningCondition& rc, const QString& frameName,
                          const QString& title) {
  QGroupBox* frame = ControlSet::makeFrame(frameName, title);
  auto* row = new QHBoxLayout(frame);
  row->addWidget(c.makeCheck(rc.check, "Activado"));
  for (int i = 0; i < rc.numberBoxes.size(); ++i) {
    row->addWidget(c.makeNumberBox(rc.numberBoxes[i]));
    row->addWidget(c.makeLabel(rc.unitLabels[i], numberBoxLabelCaption(rc.unitLabels[i])));
  }
  row->addStretch(1);
  const OptionGroup* combination = c.makeGroup(rc.combination);
  row->addWidget(combination->member(1));
  row->addWidget(combination->member(2));
  return frame;
}

QGroupBox* runningFrame(ControlSet& c) {
  QGroupBox* frame =
      ControlSet::makeFrame("MCA", QString::fromUtf8("Control de Grupo Arrancado «En Marcha»"));
  auto* box = new QVBoxLayout(frame);
  const QList<RunningCondition>& all = runningConditions();
  box->addWidget(conditionFrame(c, all[0], "MCA_PA", QString::fromUtf8("Presión de Aceite")));
  box->addWidget(conditionFrame(c, all[1], "MCA_BD", "Tensión Borne D+"));
  box->addWidget(conditionFrame(c, all[2], "MCA_FA", "Frecuencia de Alternador"));
  box->addWidget(conditionFrame(c, all[3], "MCA_CW", QString::fromUtf8("Conexión W")));
  box->addWidget(conditionFrame(c, all[4], "MCA_PU", "Pick-Up"));
  box->addWidget(c.makeLabel("Label1", QString::fromUtf8(" OR (Condición Suficiente)"), true));
  box->addWidget(c.makeLabel("Label2", QString::fromUtf8(" AND (Condición Necesaria)"), true));
  box->addWidget(
      c.makeLabel("Label14",
                  QString::fromUtf8(
                      "El conjunto de condiciones necesarias (AND) o suficientes (OR) "
                      "determina que el Grupo está arrancado; en ese momento se retira la "
                      "orden de arranque."),
                  true));
  box->addStretch(1);
  return frame;
}

void showPreheatingTimes(ControlSet& c, int mode) {
  OptionGroup* times = c.group("MPC");
  const bool used = mode != kNoPreheating;
  times->setMembersEnabled(used);
  times->setTextColour(used ? colours::kBlack : colours::kGrey);
}

void onAlternatorFrequency(ControlSet& c, EditorEnv env, bool ticked) {
  const RunningCondition& rc = runningConditions()[2];
  if (ticked)
    env.messages.show(MessageIcon::Information,
                      messageText(&env.context.texts, kAlternatorFrequencyPrompt),
                      messageText(&env.context.texts, kAlternatorFrequencyTitle));
  applyConditionState(c, rc, c.isChecked(rc.check));
}

// D+, W and pick-up tell the same thing (the engine turns): one of them at most.
void onEngineSignal(ControlSet& c, const RunningCondition& rc, bool ticked) {
  applyConditionState(c, rc, ticked);
  if (!ticked) return;
  for (const QString& other : checksClearedBy(rc.check)) {
    c.setChecked(other, false);
    applyConditionState(c, *runningCondition(other), false);
  }
}

}  // namespace

QWidget* buildStartTab(ControlSet& c) {
  QGroupBox* frame =
      ControlSet::makeFrame("Frame100", QString::fromUtf8("Parámetros Secuencia de Arranque"));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(preheatingFrame(c), 0, 0);
  grid->addWidget(crankingFrame(c), 1, 0);
  grid->addWidget(runningFrame(c), 0, 1, 2, 1);
  grid->setRowStretch(1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  return tabPage(frame);
}

void wireStartReactions(ControlSet& c, EditorEnv env) {
  QObject::connect(c.group("MPCM"), &OptionGroup::chosen, c.reactions(),
                   [&c](int mode) { showPreheatingTimes(c, mode); });
  const QList<RunningCondition>& all = runningConditions();
  QObject::connect(c.check(all[0].check), &QCheckBox::toggled, c.reactions(),
                   [&c](bool ticked) { applyConditionState(c, runningConditions()[0], ticked); });
  QObject::connect(c.check(all[2].check), &QCheckBox::toggled, c.reactions(),
                   [&c, env](bool ticked) { onAlternatorFrequency(c, env, ticked); });
  for (const int index : {1, 3, 4}) {
    QObject::connect(c.check(all[index].check), &QCheckBox::toggled, c.reactions(),
                     [&c, index](bool ticked) {
                       onEngineSignal(c, runningConditions()[index], ticked);
                     });
  }
  // A state changes only with its box; start from the state the boxes have now.
  for (const RunningCondition& rc : all) applyConditionState(c, rc, c.isChecked(rc.check));
}

}  // namespace orvex
