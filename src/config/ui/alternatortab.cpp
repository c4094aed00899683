#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "config/ui/controlset.h"
#include "config/ui/tabs.h"

namespace orvex {

namespace {

// The nominal value the alternator shares with the mains, shown with its caption.
QGroupBox* nominalFrame(ControlSet& c, const QString& frame, const QString& title,
                        const QString& captionName, const QString& caption,
                        const QString& valueName, const QString& value, const QString& noteName) {
  QGroupBox* box = ControlSet::makeFrame(frame, title);
  auto* grid = new QGridLayout(box);
  grid->addWidget(c.makeLabel(captionName, caption, true), 0, 0);
  QLabel* valueLabel = c.makeLabel(valueName, value);
  QFont big = valueLabel->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.3);
  valueLabel->setFont(big);
  grid->addWidget(valueLabel, 0, 1);
  grid->addWidget(c.makeNote(noteName, QString::fromUtf8("Se cambia en Parámetros de RED")), 1, 0,
                  1, 2);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(2, 1);
  return box;
}

}  // namespace

QWidget* buildAlternatorTab(ControlSet& c) {
  QGroupBox* frame =
      ControlSet::makeFrame("Frame103", QString::fromUtf8("Parámetros del Alternador"));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(nominalFrame(c, "RVNF(0)", QString::fromUtf8("Tensión Nominal"), "Label26",
                               QString::fromUtf8("Tensión nominal:"), "PATEN", "230V", "Label28"),
                  0, 0);
  grid->addWidget(c.makeGroupFrame("AVLIF(0)", QString::fromUtf8("Límite Inferior de Tensión"),
                                   "AVLI", 3, "Label24",
                                   QString::fromUtf8("% bajo la Tensión Nominal")),
                  0, 1);
  grid->addWidget(c.makeGroupFrame("AVLSF(0)", QString::fromUtf8("Límite Superior de Tensión"),
                                   "AVLS", 3, "Label25",
                                   QString::fromUtf8("% sobre la Tensión Nominal")),
                  0, 2);
  grid->addWidget(nominalFrame(c, "RVNF(2)", QString::fromUtf8("Frecuencia Nominal"), "PALAB2",
                               QString::fromUtf8("Frecuencia nominal:"), "PAFRE", "50Hz",
                               "Label29"),
                  1, 0);
  grid->addWidget(c.makeGroupFrame("RFLF(0)", QString::fromUtf8("Límites de Frecuencia"), "AFL", 3,
                                   "Label27", QString::fromUtf8("± % de la Frecuencia Nominal")),
                  1, 1);
  grid->addWidget(makeAlarmValuesFrame(c, "Frame7", {"Label42", "Label41", "Label40", "Label38"},
                                       {"AALMINT", "AALMAXT", "AALMINF", "AALMAXF"}),
                  1, 2);
  grid->addWidget(c.makeGroupFrame("Frame3", QString::fromUtf8("Retardo Desconexión Alternador"),
                                   "ADA", 4, "Label19",
                                   QString::fromUtf8("Desde la alarma del alternador hasta "
                                                     "abrir su contactor")),
                  2, 0, 1, 2);
  for (int column = 0; column < 3; ++column) grid->setColumnStretch(column, 1);
  grid->setRowStretch(3, 1);
  return tabPage(frame);
}

}  // namespace orvex
