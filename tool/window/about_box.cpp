#include "about_box.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setupUi(this);
  setWindowTitle(QStringLiteral("Version Info"));
  ProgramIcon->setPixmap(QIcon(QStringLiteral(":/xervtool.svg")).pixmap(64, 64));
  ProductName->setText(QStringLiteral("xervtool"));
  Version->setText(QStringLiteral("Version " XTOOL_VERSION));
  Copyright->setText(QStringLiteral("KVX card reader/writer setup and test tool"));
  Comments->setText(
      QStringLiteral("Reads and changes the settings of KVX readers over the XERV1 and XERV3 "
                     "protocols, and tests their card reading."));
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
