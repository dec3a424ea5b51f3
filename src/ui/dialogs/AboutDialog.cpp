// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/AboutDialog.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/ObjectNames.h"
#include "ui/common/WindowTools.h"

namespace kelvor {

using ObjectNames::indexedName;

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent, const ProgramVersion& version) : QDialog(parent) {
  setObjectName(QLatin1String(ObjectNames::frmAbout));
  setWindowTitle(tr("Information"));
  buildControls();
  appLabel->setText(QString::fromStdString(version.appText(ProductName)));
  buildLabel->setText(QString::fromStdString(version.buildText()));
  adjustSize();
  WindowTools::centreWindow(this);
}

void AboutDialog::buildControls() {
  appLabel = makeLabel(this, QLatin1String(ObjectNames::lblApp), QStringLiteral("App Vxx.xx"));
  QFont big = appLabel->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  appLabel->setFont(big);
  buildLabel = makeLabel(this, QLatin1String(ObjectNames::lblBuild), QStringLiteral("Build"));
  licenceLabel = makeLabel(this, QLatin1String(ObjectNames::lblLicence),
                           tr("Lizenz: GNU General Public License, Version 3 oder später") +
                               QLatin1Char('\n') + QLatin1String(LicencePage));
  licenceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

  frameDev = new QGroupBox(tr("Entwicklung"), this);
  frameDev->setObjectName(QLatin1String(ObjectNames::frameDev));
  homePage =
      makeLabel(frameDev, indexedName(ObjectNames::Label1, 0), QString::fromLatin1(HomePage));
  homePage->setTextInteractionFlags(Qt::TextSelectableByMouse);
  maker = makeLabel(frameDev, indexedName(ObjectNames::Label1, 1), tr("Das Kelvor-Projekt"));
  copyHomeButton = new QPushButton(tr("Copy link to Clipboard"), frameDev);
  copyHomeButton->setObjectName(QLatin1String(ObjectNames::cmdCopyHome));
  auto* contact = new QVBoxLayout(frameDev);
  contact->addWidget(maker);
  contact->addWidget(homePage);
  contact->addWidget(copyHomeButton, 0, Qt::AlignLeft);

  okButton = new QPushButton(tr("OK"), this);
  okButton->setObjectName(QLatin1String(ObjectNames::cmdOK));
  okButton->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(appLabel);
  layout->addWidget(buildLabel);
  layout->addWidget(licenceLabel);
  layout->addWidget(frameDev);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(copyHomeButton, &QPushButton::clicked, this, &AboutDialog::onCopyHomeClicked);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::onCopyHomeClicked() {
  auto* link = new QMimeData;  // text/plain only
  link->setText(homePage->text());
  QGuiApplication::clipboard()->setMimeData(link);
}

}  // namespace kelvor
