#include "portsframe.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "common/ui/appservices.h"
#include "files/filetexts.h"
#include "lang/extratexts.h"
#include "link/serialdevices.h"

namespace orvex {

constexpr int kPorts = 4;

PortsFrame::PortsFrame(AppServices& services, const SerialDeviceSource& devices, QWidget* parent)
    : QGroupBox(parent), services_(services), devices_(devices) {
  setObjectName("FramePorts");
  auto* grid = new QGridLayout(this);
  grid->setColumnStretch(1, 1);
  for (int n = 1; n <= kPorts; ++n) addRow(n);
  applyTexts();
  connect(&services_.events, &AppEvents::languageApplied, this, &PortsFrame::applyTexts);
}

void PortsFrame::addRow(int number) {
  auto* grid = static_cast<QGridLayout*>(layout());
  Row& row = rows_[static_cast<size_t>(number)];
  grid->addWidget(new QLabel(QStringLiteral("COM%1").arg(number)), number, 0);
  row.target = new QLabel;
  row.target->setObjectName(QStringLiteral("PortTarget(%1)").arg(number));
  row.target->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(row.target, number, 1);
  if (!comLinksSupported()) return;
  row.device = new QComboBox;
  row.device->setObjectName(QStringLiteral("PortDevice(%1)").arg(number));
  row.link = new QPushButton;
  row.link->setObjectName(QStringLiteral("PortLink(%1)").arg(number));
  connect(row.link, &QPushButton::clicked, this, [this, number] { linkPort(number); });
  grid->addWidget(row.device, number, 2);
  grid->addWidget(row.link, number, 3);
}

void PortsFrame::refresh() {
  const QList<SerialDevice> present = devices_.devices();
  for (int n = 1; n <= kPorts; ++n) {
    Row& row = rows_[static_cast<size_t>(n)];
    row.target->setText(
        describeComTarget(services_.context.programDir, n, devices_, text(extra::PortNotPresent)));
    if (!row.device) continue;
    row.device->clear();
    row.device->addItem(text(extra::PortChooseAdapter));
    for (const SerialDevice& device : present)
      row.device->addItem(device.location, device.location);
    row.link->setEnabled(!present.isEmpty());
  }
}

// The link is made at once; the port opens through it at the next transfer.
void PortsFrame::linkPort(int number) {
  const QString device = rows_[static_cast<size_t>(number)].device->currentData().toString();
  if (device.isEmpty()) return;
  QString systemText;
  const LinkFailure failure =
      linkComPort(services_.context.programDir, number, device, &systemText);
  if (failure != LinkFailure::None) {
    // The system's words are for whoever reads the program's output, not for the installer.
    if (!systemText.isEmpty())
      qWarning("COM%d -> %s: %s", number, qUtf8Printable(device), qUtf8Printable(systemText));
    const QString reason = failure == LinkFailure::NotALink
                               ? text(extra::PortLinkNotALink).arg(number)
                               : text(extra::PortLinkRefused);
    services_.messages.show(MessageIcon::Exclamation,
                            text(extra::PortLinkFailed).arg(number).arg(device, reason),
                            text(extra::PortErrorTitle));
  }
  refresh();
}

void PortsFrame::applyTexts() {
  setTitle(text(extra::PortsFrame));
  for (int n = 1; n <= kPorts; ++n)
    if (QPushButton* link = rows_[static_cast<size_t>(n)].link)
      link->setText(text(extra::PortLink));
  // Looking up the devices takes a moment: only for a window the user sees.
  if (isVisible()) refresh();
}

QString PortsFrame::text(int item) const { return extraText(&services_.context.texts, item); }

}  // namespace orvex
