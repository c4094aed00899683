#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "config/ui/controlset.h"
#include "config/ui/tabs.h"

namespace orvex {

QGroupBox* makeAlarmValuesFrame(ControlSet& c, const QString& frame, const QStringList& captions,
                                const QStringList& values) {
  static const QStringList kCaptions = {QString::fromUtf8("Tensión mínima:"),
                                        QString::fromUtf8("Tensión máxima:"),
                                        QString::fromUtf8("Frecuencia mínima:"),
                                        QString::fromUtf8("Frecuencia máxima:")};
  QGroupBox* box = ControlSet::makeFrame(frame, QStringLiteral("Valores de Alarma"));
  auto* grid = new QGridLayout(box);
  for (int row = 0; row < 4; ++row) {
    grid->addWidget(c.makeLabel(captions[row], kCaptions[row], true), row, 0);
    QLabel* value = c.makeLabel(values[row], QStringLiteral("No Activada"));
    QFont bold = value->font();
    bold.setBold(true);
    value->setFont(bold);
    grid->addWidget(value, row, 1);
  }
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* buildMainsTab(ControlSet& c) {
  const QString note = QString::fromUtf8("Común a RED y Alternador");
  QGroupBox* frame = ControlSet::makeFrame("Frame2", QString::fromUtf8("Parámetros de la RED"));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(c.makeGroupFrame("RVNF(1)", QString::fromUtf8("Tensión Nominal"), "RVN", 4,
                                   "Label7", note),
                  0, 0);
  grid->addWidget(c.makeGroupFrame("RVLIF(1)", QString::fromUtf8("Límite Inferior de Tensión"),
                                   "RVLI", 3, "Label8",
                                   QString::fromUtf8("% bajo la Tensión Nominal")),
                  0, 1);
  grid->addWidget(c.makeGroupFrame("RVLSF(1)", QString::fromUtf8("Límite Superior de Tensión"),
                                   "RVLS", 3, "Label9",
                                   QString::fromUtf8("% sobre la Tensión Nominal")),
                  0, 2);
  grid->addWidget(c.makeGroupFrame("RFNF(1)", QString::fromUtf8("Frecuencia Nominal"), "RFN", 3,
                                   "Label10", note),
                  1, 0);
  grid->addWidget(c.makeGroupFrame("RFLF(1)", QString::fromUtf8("Límites de Frecuencia"), "RFL", 3,
                                   "Label11", QString::fromUtf8("± % de la Frecuencia Nominal")),
                  1, 1);
  grid->addWidget(makeAlarmValuesFrame(c, "Frame20", {"Label31", "Label32", "Label33", "Label34"},
                                       {"RALMINT", "RALMAXT", "RALMINF", "RALMAXF"}),
                  1, 2);
  grid->addWidget(c.makeGroupFrame("RDRF", QString::fromUtf8("Retardo Desconexión RED"), "RDR", 3,
                                   "Label12",
                                   QString::fromUtf8("Desde el fallo de RED hasta abrir el "
                                                     "contactor de RED")),
                  2, 0);
  grid->addWidget(c.makeGroupFrame("RIAF", QString::fromUtf8("Retardo Inicio Arranque"), "RIA", 4,
                                   "Label13",
                                   QString::fromUtf8("Desde el fallo de RED hasta iniciar el "
                                                     "arranque")),
                  2, 1, 1, 2);
  for (int column = 0; column < 3; ++column) grid->setColumnStretch(column, 1);
  grid->setRowStretch(3, 1);
  return tabPage(frame);
}

}  // namespace orvex
