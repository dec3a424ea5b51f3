// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/frmAbout.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/Allgemein.h"
#include "ui/common/ObjectNames.h"

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

frmAbout::frmAbout(QWidget* parent, const ProgramVersion& version) : QDialog(parent) {
  setObjectName(QLatin1String(ObjectNames::frmAbout));
  setWindowTitle(tr("Information"));
  buildControls();
  lblApp->setText(QString::fromStdString(version.appText(ProductName)));
  lblBuild->setText(QString::fromStdString(version.buildText()));
  adjustSize();
  Allgemein::CentreForm(this);
}

void frmAbout::buildControls() {
  lblApp = makeLabel(this, QLatin1String(ObjectNames::lblApp), QStringLiteral("App Vxx.xx"));
  QFont big = lblApp->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  lblApp->setFont(big);
  lblBuild = makeLabel(this, QLatin1String(ObjectNames::lblBuild), QStringLiteral("Build"));
  lblLicence = makeLabel(this, QLatin1String(ObjectNames::lblLicence),
                         tr("Lizenz: GNU General Public License, Version 3 oder später") +
                             QLatin1Char('\n') + QLatin1String(LicencePage));
  lblLicence->setTextInteractionFlags(Qt::TextSelectableByMouse);

  frameDev = new QGroupBox(tr("Entwicklung"), this);
  frameDev->setObjectName(QLatin1String(ObjectNames::frameDev));
  homePage =
      makeLabel(frameDev, indexedName(ObjectNames::Label1, 0), QString::fromLatin1(HomePage));
  homePage->setTextInteractionFlags(Qt::TextSelectableByMouse);
  maker = makeLabel(frameDev, indexedName(ObjectNames::Label1, 1), tr("Das Kelvor-Projekt"));
  cmdCopyHome = new QPushButton(tr("Copy link to Clipboard"), frameDev);
  cmdCopyHome->setObjectName(QLatin1String(ObjectNames::cmdCopyHome));
  auto* contact = new QVBoxLayout(frameDev);
  contact->addWidget(maker);
  contact->addWidget(homePage);
  contact->addWidget(cmdCopyHome, 0, Qt::AlignLeft);

  cmdOK = new QPushButton(tr("OK"), this);
  cmdOK->setObjectName(QLatin1String(ObjectNames::cmdOK));
  cmdOK->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblApp);
  layout->addWidget(lblBuild);
  layout->addWidget(lblLicence);
  layout->addWidget(frameDev);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(cmdCopyHome, &QPushButton::clicked, this, &frmAbout::cmdCopyHome_Click);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAbout::cmdCopyHome_Click() {
  auto* link = new QMimeData;  // text/plain only
  link->setText(homePage->text());
  QGuiApplication::clipboard()->setMimeData(link);
}

}  // namespace kelvor
