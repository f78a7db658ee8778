#include "app/dialogs/keys_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dialogs/form_setup.h"

namespace {

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

TKeysForm::TKeysForm(QWidget* owner) : QDialog(owner) {
  kova::SetUpForm(*this, "KeysForm", QStringLiteral("Schlüssel..."), "Tahoma");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  // A client area of 627 x 327 pixels inside a border of 8 pixels.
  resize(627 + 2 * 8, 327 + 2 * 8);

  ValueListEditor = new QTableWidget(0, 2, this);
  ValueListEditor->setObjectName(QStringLiteral("ValueListEditor"));
  ValueListEditor->setHorizontalHeaderLabels({QStringLiteral("Element"),
                                              QStringLiteral("Schlüssel")});
  ValueListEditor->setFrameShape(QFrame::NoFrame);
  ValueListEditor->setShowGrid(false);
  ValueListEditor->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ValueListEditor->verticalHeader()->hide();
  ValueListEditor->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 5);
  ValueListEditor->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ValueListEditor->setColumnWidth(0, 290);
  ValueListEditor->setColumnWidth(1, 335);
  QPalette buttonFace = ValueListEditor->palette();
  buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
  ValueListEditor->setPalette(buttonFace);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(37);
  Button1 = new QPushButton(QStringLiteral("&OK"), Panel1);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setFixedSize(75, 23);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttonRow = new QHBoxLayout(Panel1);
  buttonRow->setContentsMargins(0, 0, 0, 0);
  buttonRow->addStretch();
  buttonRow->addWidget(Button1, 0, Qt::AlignBottom);

  auto* frame = new QVBoxLayout(this);
  frame->setContentsMargins(8, 8, 8, 8);
  frame->setSpacing(0);
  frame->addWidget(ValueListEditor);
  frame->addWidget(Panel1);
  Button1->setFocus();
}

void TKeysForm::AddString(const QString& keyAndValue) {
  const qsizetype equals = keyAndValue.indexOf('=');
  const int row = ValueListEditor->rowCount();
  ValueListEditor->insertRow(row);
  ValueListEditor->setItem(row, 0, ReadOnlyItem(keyAndValue.left(equals)));
  ValueListEditor->setItem(
      row, 1, ReadOnlyItem(equals < 0 ? QString() : keyAndValue.mid(equals + 1)));
}
