#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "config/editortable.h"
#include "config/ui/controlset.h"
#include "config/ui/inputpictures.h"
#include "config/ui/optiongroup.h"
#include "config/ui/tabs.h"
#include "config/ui/widgetstyle.h"

namespace orvex {
namespace {

struct AlarmInput {
  const char* name;
  const char* frame;
  const char* title;
  const char* levelFrame;
  const char* actionFrame;
  const char* led;
  const char* symbol;
  InputSymbol picture;
};

const AlarmInput kInputs[] = {
    {"ALARFUE", "Frame201", "ALARMA FUEL", "Frame8", "Frame9", "LEDONFUEL", "Image1",
     InputSymbol::Fuel},
    {"ALAROIL", "Frame202", "ALARMA OIL", "Frame11", "Frame10", "LEDONOIL", "Image3",
     InputSymbol::Oil},
    {"ALARTEM", "Frame203", "ALARMA TEMP", "Frame13", "Frame12", "LEDONTEM", "Image5",
     InputSymbol::Temperature},
    {"ALAREXT", "Frame204", "ALARMA EXT", "Frame15", "Frame14", "LEDONEXT", "Image7",
     InputSymbol::External},
    {"ALAROVE", "Frame205", "ALARMA OVER", "Frame17", "Frame16", "LEDONOVE", "Image9",
     InputSymbol::Overload},
};

QLabel* picture(const char* name, const QPixmap& pixmap) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setPixmap(pixmap);
  return label;
}

QGroupBox* alarmInputFrame(ControlSet& c, const AlarmInput& input) {
  QGroupBox* frame = ControlSet::makeFrame(input.frame, input.title);
  auto* box = new QVBoxLayout(frame);
  auto* pictures = new QHBoxLayout;
  pictures->addWidget(picture(input.led, ledPixmap()));
  pictures->addStretch(1);
  pictures->addWidget(picture(input.symbol, symbolPixmap(input.picture)));
  box->addLayout(pictures);

  QGroupBox* level = ControlSet::makeFrame(input.levelFrame, QString::fromUtf8("Señal de Alarma"));
  auto* levelRow = new QGridLayout(level);
  c.makeGroup(input.name)->addTo(levelRow, 2);
  box->addWidget(level);

  QGroupBox* action =
      ControlSet::makeFrame(input.actionFrame, QString::fromUtf8("Acción ante Alarma"));
  auto* actions = new QVBoxLayout(action);
  actions->addWidget(c.makeCheck(immediateStopBox(input.name), "Paro Inmediato"));
  actions->addWidget(c.makeCheck(timedStopBox(input.name), "Paro Temporzd"));
  actions->addWidget(c.makeCheck(sirenBox(input.name), "Activa Sirena"));
  box->addWidget(action);
  box->addStretch(1);
  return frame;
}

QGroupBox* remoteControlFrame(ControlSet& c) {
  QGroupBox* frame = ControlSet::makeFrame("Frame206", "SECUENCIAS MANUALES / CONTROL REMOTO");
  auto* row = new QHBoxLayout(frame);
  row->addWidget(c.makeGroupFrame("Frame18", "Secuencia", "ACCR", 1), 3);
  row->addWidget(c.makeGroupFrame("Frame19", QString::fromUtf8("Señal"), "INCR", 1), 1);
  return frame;
}

// A number box between its caption and its unit.
void addNumberRow(ControlSet& c, QGridLayout* grid, int row, const char* captionName,
                  const char* box, const char* unitName) {
  grid->addWidget(c.makeLabel(captionName, numberBoxLabelCaption(captionName)), row, 0);
  grid->addWidget(c.makeNumberBox(box), row, 1);
  grid->addWidget(c.makeLabel(unitName, numberBoxLabelCaption(unitName)), row, 2);
}

QGroupBox* sirenFrame(ControlSet& c) {
  QGroupBox* frame = ControlSet::makeFrame("Frame207", "TIEMPO SIRENA");
  auto* grid = new QGridLayout(frame);
  OptionGroup* mode = c.makeGroup("TIPSIR");
  grid->addWidget(mode->member(1), 0, 0);
  grid->addWidget(mode->member(2), 1, 0);
  auto* times = new QGridLayout;
  addNumberRow(c, times, 0, "Label43", "TSIRON", "Label44");
  addNumberRow(c, times, 1, "Label45", "TSIROFF", "Label46");
  grid->addLayout(times, 0, 1, 2, 1);
  grid->setColumnStretch(0, 1);
  return frame;
}

QGroupBox* batteryFrame(ControlSet& c) {
  QGroupBox* frame = ControlSet::makeFrame("Frame209", QString::fromUtf8("BATERÍA"));
  auto* grid = new QGridLayout(frame);
  addNumberRow(c, grid, 0, "Label47", "VBAT", "Label48");
  grid->addWidget(c.makeNote("Label36", QString::fromUtf8("Alarma por debajo de esta tensión")), 1,
                  0, 1, 3);
  grid->setColumnStretch(3, 1);
  return frame;
}

// Immediate and timed stop exclude each other; clearing the partner is final.
void excludePartner(ControlSet& c, const QString& partner) {
  QCheckBox* box = c.check(partner);
  const QSignalBlocker quiet(box);
  box->setChecked(false);
}

void showSirenOffTime(ControlSet& c, int mode) {
  const bool once = mode == 1;
  setBoxColours(c.numberBox("TSIROFF"), once ? colours::kLightRed : colours::kWhite,
                once ? colours::kGrey : colours::kBlack);
}

}  // namespace

QWidget* buildInputsTab(ControlSet& c) {
  QGroupBox* frame = ControlSet::makeFrame("Frame200", "Entradas Digitales");
  auto* grid = new QGridLayout(frame);
  grid->addWidget(c.makeLabel("Label30",
                              QString::fromUtf8("Todas las Entradas Digitales están polarizadas "
                                                "a +V (Pull-Up) por lo que dejarlas al aire es "
                                                "como conectarlas a +V."),
                              true),
                  0, 0, 1, 5);
  for (int i = 0; i < 5; ++i) grid->addWidget(alarmInputFrame(c, kInputs[i]), 1, i);
  grid->addWidget(remoteControlFrame(c), 2, 0, 1, 2);
  grid->addWidget(sirenFrame(c), 2, 2, 1, 1);
  grid->addWidget(c.makeGroupFrame("Frame208", "CONTROL CONTACTORES", "TESCON", 1), 2, 3);
  grid->addWidget(batteryFrame(c), 2, 4);
  for (int column = 0; column < 5; ++column) grid->setColumnStretch(column, 1);
  grid->setRowStretch(3, 1);
  return tabPage(frame);
}

void wireInputReactions(ControlSet& c) {
  for (const AlarmInput& input : kInputs) {
    const QString immediate = immediateStopBox(input.name);
    const QString timed = timedStopBox(input.name);
    QObject::connect(c.check(immediate), &QCheckBox::toggled, c.reactions(),
                     [&c, timed] { excludePartner(c, timed); });
    QObject::connect(c.check(timed), &QCheckBox::toggled, c.reactions(),
                     [&c, immediate] { excludePartner(c, immediate); });
  }
  QObject::connect(c.group("TIPSIR"), &OptionGroup::chosen, c.reactions(),
                   [&c](int mode) { showSirenOffTime(c, mode); });
}

}  // namespace orvex
