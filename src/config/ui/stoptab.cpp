#include <QGridLayout>
#include <QGroupBox>

#include "config/ui/controlset.h"
#include "config/ui/tabs.h"

namespace orvex {

QWidget* buildStopTab(ControlSet& c) {
  QGroupBox* frame =
      ControlSet::makeFrame("Frame101", QString::fromUtf8("Parámetros Secuencia de Paro"));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(c.makeGroupFrame("TRRED", QString::fromUtf8("Tiempo Mínimo Retorno RED"), "TRR",
                                   4, "Label22",
                                   QString::fromUtf8("RED estable este tiempo antes de volver "
                                                     "a ella")),
                  0, 0);
  grid->addWidget(c.makeGroupFrame("Frame6", "Tiempo de Enfriamiento", "TENF", 4, "Label23",
                                   "Motor en marcha sin carga antes de parar"),
                  1, 0);

  QGroupBox* stop = ControlSet::makeFrame("TPRDG", "Tipo y Tiempo de Parada");
  auto* stopGrid = new QGridLayout(stop);
  stopGrid->addWidget(c.makeGroupFrame("Frame4", "Tipo de Paro", "TIPPRD", 1, "Label20",
                                       QString::fromUtf8(
                                           "EXCITACIÓN: el electroimán de paro se activa para "
                                           "parar. DESEXCITACIÓN: se corta la alimentación del "
                                           "electroimán de combustible.")),
                      0, 0);
  stopGrid->addWidget(c.makeGroupFrame("Frame5",
                                       QString::fromUtf8("Tiempo de Orden de Paro en Parada por "
                                                         "Excitación"),
                                       "TPRD", 4, "Label21",
                                       QString::fromUtf8("Tiempo que el electroimán de paro "
                                                         "permanece activado")),
                      1, 0);
  stopGrid->setRowStretch(2, 1);
  grid->addWidget(stop, 0, 1, 2, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(2, 1);
  return tabPage(frame);
}

}  // namespace orvex
