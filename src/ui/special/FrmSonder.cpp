#include "ui/special/FrmSonder.h"
#include "ui/common/AppServices.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "core/catalogue/Catalogue.h"
#include "core/common/Errors.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "ui/common/NumericInput.h"
#include "core/common/Texts.h"
#include "core/special/SonderCore.h"
#include "ui/special/SonderResults.h"

namespace {

bool askInputBox(const QString &prompt, const QString &title, const QString &def, QString *answer) {
  // The input box of the installed services, else Qt's.
  const auto &box = app::services().desktop.inputBox;
  if (box) return box(prompt, title, def, answer);
  bool ok = false;
  *answer = QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, def, &ok);
  return ok;
}

// Typing limits of the fields (the hints speak of 5, 10 and 6 characters); text put in
// by the program (a picked series, the entry memory) is never cut.
int maxTyped(int field) {
  if (field == 0) return 5;
  if (field >= 2 && field <= 5) return 10;
  return 6;
}

// Fields whose typing is limited to numbers: the size and the numeric data up to the
// roller-shoe height; the order numbers, the series and the single-rail sizes take any key.
bool numericField(int i) { return i == 1 || (i >= 4 && i <= 21); }

constexpr int kMarkerColumnTwips = 270;
constexpr int kGridHeightTwips = 2250;
constexpr int kFieldWidthTwips = 1350;

}  // namespace

FrmSonder::FrmSonder(Session &session, QWidget *parent) : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("FrmSonder"));
  setModal(true);
  buildControls();
  sSetLayout();
  // The window keeps the size it was designed with.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  fillList();
  restoreEntry();
}

void FrmSonder::buildControls() {
  auto *root = new QVBoxLayout(this);
  root->setContentsMargins(0, 0, 0, 0);
  root->setSpacing(0);

  // Heading band: picture, heading text and the colour bar below them.
  auto *band = new QHBoxLayout;
  band->setContentsMargins(gui::px(180), gui::px(120), gui::px(180), gui::px(120));
  band->setSpacing(gui::px(283.5));
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  LabUebSchr = gui::headingLabel(this, 1.35);
  band->addWidget(Image1);
  band->addWidget(LabUebSchr, 1);
  root->addLayout(band);
  auto *bar = new QFrame(this);
  bar->setObjectName(QStringLiteral("Shape1"));
  bar->setFixedHeight(gui::px(60));
  bar->setAutoFillBackground(true);
  root->addWidget(bar);

  auto *body = new QVBoxLayout;
  body->setContentsMargins(gui::px(180), gui::px(150), gui::px(180), gui::px(120));
  body->setSpacing(gui::px(150));
  root->addLayout(body);

  MSHFlexGrid1 = new QTableWidget(this);
  MSHFlexGrid1->setObjectName(QStringLiteral("MSHFlexGrid1"));
  MSHFlexGrid1->horizontalHeader()->hide();
  MSHFlexGrid1->verticalHeader()->hide();
  MSHFlexGrid1->horizontalHeader()->setMinimumSectionSize(1);  // the narrow marker column
  MSHFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  MSHFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  MSHFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  MSHFlexGrid1->setIconSize(QSize(gui::px(kMarkerColumnTwips) - 4, gui::px(kMarkerColumnTwips) - 4));
  MSHFlexGrid1->setFixedHeight(gui::px(kGridHeightTwips));
  MSHFlexGrid1->setWordWrap(false);
  connect(MSHFlexGrid1, &QTableWidget::cellClicked, this, [this](int row, int) { MSHFlexGrid1_Click(row); });
  body->addWidget(MSHFlexGrid1);

  auto *middle = new QHBoxLayout;
  middle->setSpacing(gui::px(300));
  body->addLayout(middle);

  // Left: the bearings of one roller shoe, then the factors of the entry.
  auto *left = new QVBoxLayout;
  left->setSpacing(gui::px(120));
  middle->addLayout(left);

  auto *bearings = new QFrame(this);
  bearings->setFrameShape(QFrame::StyledPanel);
  auto *bg = new QGridLayout(bearings);
  bg->setContentsMargins(gui::px(120), gui::px(120), gui::px(120), gui::px(120));
  bg->setHorizontalSpacing(gui::px(90));
  LabRollen = new QLabel(bearings);
  LabRollen->setObjectName(QStringLiteral("LabRollen"));
  Cob_Rollen = new QComboBox(bearings);
  Cob_Rollen->setObjectName(QStringLiteral("Cob_Rollen"));
  for (int k = 0; k < 3; ++k) Cob_Rollen->addItem(sonder::bearingsText(k));
  bg->addWidget(LabRollen, 0, 0);
  bg->addWidget(Cob_Rollen, 0, 1, 1, 2);
  LabLager = new QLabel(bearings);
  LabLager->setObjectName(QStringLiteral("LabLager"));
  bg->addWidget(LabLager, 1, 0);
  for (int i = 0; i < 2; ++i) {
    Opt_Lager[i] = new QRadioButton(bearings);
    Opt_Lager[i]->setObjectName(QStringLiteral("Opt_Lager_%1").arg(i));
    bg->addWidget(Opt_Lager[i], 1 + i, 1, 1, 2);
  }
  Opt_Lager[0]->setChecked(true);
  auto *rowsLayout = new QGridLayout;
  rowsLayout->setHorizontalSpacing(gui::px(60));
  for (int i = 0; i < kRows; ++i) {
    auto *n = new QLabel(QString::number(i + 1) + QLatin1Char('.'), bearings);
    Tb_Rollen[i] = new QLineEdit(QStringLiteral("0"), bearings);
    Tb_Rollen[i]->setObjectName(QStringLiteral("Tb_Rollen_%1").arg(i));
    Tb_Rollen[i]->setFixedWidth(gui::px(900));
    Tb_Rollen[i]->setAlignment(Qt::AlignRight);
    rowsLayout->addWidget(n, i, 0);
    rowsLayout->addWidget(Tb_Rollen[i], i, 1);
  }
  cmdA1A2 = new QPushButton(QStringLiteral(">>>"), bearings);
  cmdA1A2->setObjectName(QStringLiteral("cmdA1A2"));
  rowsLayout->addWidget(cmdA1A2, 0, 2, kRows, 1, Qt::AlignVCenter);
  bg->addLayout(rowsLayout, 3, 0, 1, 3);
  left->addWidget(bearings);

  auto *factors = new QFrame(this);
  factors->setFrameShape(QFrame::StyledPanel);
  auto *fg = new QGridLayout(factors);
  fg->setContentsMargins(gui::px(120), gui::px(120), gui::px(120), gui::px(120));
  fg->setHorizontalSpacing(gui::px(90));
  auto *kind = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    optKsRs[i] = new QRadioButton(factors);
    optKsRs[i]->setObjectName(QStringLiteral("optKsRs_%1").arg(i));
    kind->addWidget(optKsRs[i]);
  }
  optKsRs[0]->setChecked(true);
  cmdResult = new QPushButton(factors);
  cmdResult->setObjectName(QStringLiteral("cmdResult"));
  cmdResult->setMinimumWidth(gui::px(900));
  kind->addStretch(1);
  kind->addWidget(cmdResult);
  fg->addLayout(kind, 0, 0, 1, 2);
  for (int i = 0; i < kResults; ++i) {
    labResult[i] = new QLabel(factors);
    labResult[i]->setObjectName(QStringLiteral("labResult_%1").arg(i));
    tbResult[i] = new QLineEdit(QStringLiteral("0"), factors);
    tbResult[i]->setObjectName(QStringLiteral("tbResult_%1").arg(i));
    tbResult[i]->setReadOnly(true);
    tbResult[i]->setFocusPolicy(Qt::ClickFocus);
    tbResult[i]->setAlignment(Qt::AlignRight);
    tbResult[i]->setFixedWidth(gui::px(2100));
    fg->addWidget(labResult[i], 1 + i, 0);
    fg->addWidget(tbResult[i], 1 + i, 1);
  }
  left->addWidget(factors);
  left->addStretch(1);

  // Right: the 24 data fields in two columns of twelve.
  auto *fields = new QGridLayout;
  fields->setHorizontalSpacing(gui::px(90));
  fields->setVerticalSpacing(gui::px(45));
  for (int i = 0; i < kFields; ++i) {
    Lab_Bez[i] = new QLabel(this);
    Lab_Bez[i]->setObjectName(QStringLiteral("Lab_Bez_%1").arg(i));
    Tb_Daten[i] = new QLineEdit(this);
    Tb_Daten[i]->setObjectName(QStringLiteral("Tb_Daten_%1").arg(i));
    Tb_Daten[i]->setFixedWidth(gui::px(kFieldWidthTwips));
    if (i >= 4) Tb_Daten[i]->setAlignment(Qt::AlignRight);
    const int col = (i / 12) * 3;
    fields->addWidget(Lab_Bez[i], i % 12, col);
    fields->addWidget(Tb_Daten[i], i % 12, col + 1);
  }
  fields->setColumnMinimumWidth(2, gui::px(240));
  middle->addLayout(fields);
  middle->addStretch(1);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  Com_OK = new QPushButton(this);
  gui::showText(Com_OK, 1850);
  Com_OK->setObjectName(QStringLiteral("Com_OK"));
  Com_Exit = new QPushButton(this);
  gui::showText(Com_Exit, 1851);
  Com_Exit->setObjectName(QStringLiteral("Com_Exit"));
  buttons->addWidget(Com_OK);
  buttons->addWidget(Com_Exit);
  body->addLayout(buttons);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  statusPanel_ = new QLabel(StatusBar1);
  statusPanel_->setObjectName(QStringLiteral("StatusPanel1"));
  StatusBar1->addWidget(statusPanel_, 1);
  root->addWidget(StatusBar1);

  // Enter moves on through the window; no button is pressed by it.
  for (QPushButton *b : {cmdA1A2, cmdResult, Com_OK, Com_Exit}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }

  // The order in which Enter and Tab walk through the window.
  QList<QWidget *> chain;
  for (QLineEdit *f : Tb_Daten) chain << f;
  chain << Cob_Rollen << Opt_Lager[0] << Opt_Lager[1];
  for (QLineEdit *r : Tb_Rollen) chain << r;
  chain << cmdA1A2 << optKsRs[0] << optKsRs[1] << cmdResult << Com_OK << Com_Exit << MSHFlexGrid1;
  for (int i = 1; i < chain.size(); ++i) setTabOrder(chain.at(i - 1), chain.at(i));
  for (QWidget *w : chain) w->installEventFilter(this);
  // Pasted text meets the same number rules as typed keys.
  for (int i = 0; i < kFields; ++i)
    if (numericField(i)) gui::setNumericRules(Tb_Daten[i], false);
  for (QLineEdit *r : Tb_Rollen) gui::setNumericRules(r, false);

  connect(Cob_Rollen, &QComboBox::currentIndexChanged, this, [this](int) { Cob_Rollen_Click(); });
  connect(Opt_Lager[0], &QRadioButton::clicked, this, [this] { setTypeCode(QStringLiteral("N")); });
  connect(Opt_Lager[1], &QRadioButton::clicked, this, [this] { setTypeCode(QStringLiteral("K")); });
  connect(cmdA1A2, &QPushButton::clicked, this, &FrmSonder::cmdA1A2_Click);
  connect(cmdResult, &QPushButton::clicked, this, &FrmSonder::cmdResult_Click);
  connect(Com_OK, &QPushButton::clicked, this, &FrmSonder::Com_OK_Click);
  connect(Com_Exit, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmSonder::showTexts() {
  setWindowTitle(windowCaption(session_, 100));
  for (int i = 0; i < kFields; ++i) Lab_Bez[i]->setText(builtinText(350 + i));
  for (int i = 0; i < kResults; ++i) labResult[i]->setText(builtinText(376 + i));
  LabRollen->setText(builtinText(374));
  LabLager->setText(builtinText(375));
  Opt_Lager[0]->setText(builtinText(531));
  Opt_Lager[1]->setText(builtinText(532));
  optKsRs[0]->setText(builtinText(290));
  optKsRs[1]->setText(builtinText(291));
  cmdResult->setToolTip(builtinText(284));
  LabUebSchr->setText(builtinText(200));
  gui::retext(this);
  if (hintId_) statusPanel_->setText(builtinText(hintId_));
}

void FrmSonder::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange && statusPanel_) showTexts();
  QDialog::changeEvent(event);
}

void FrmSonder::sSetLayout() {
  try {
    showTexts();
    // The results button shows the program's "calculate" picture; its hint says what it does.
    cmdResult->setIcon(gui::resourceIcon(206));
    Image1->setPixmap(gui::headingPicture(session_));
    setWindowIcon(gui::windowIcon(session_));
    if (QWidget *bar = findChild<QWidget *>(QStringLiteral("Shape1"))) {
      QPalette pal = bar->palette();
      pal.setColor(QPalette::Window, gui::vbColor(gflngSetColor(session_, 700)));
      bar->setPalette(pal);
    }
    setTypeCode(QStringLiteral("N"));
    Cob_Rollen->setCurrentIndex(0);
    Cob_Rollen_Click();
    // A special roller shoe taken over before stays in force until "Ok" replaces it.
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  }
}

void FrmSonder::fillList() {
  msubSearchDB(session_, catalogue::code::SpecialSeries, false, 0);
  const ResultSet &rs = session_.grsSerie;
  if (rs.recordCount() == 0 || rs.fieldCount() == 0) {
    msg::critical(builtinText(309), builtinText(310));
    return;
  }
  QTableWidget *g = MSHFlexGrid1;
  g->setUpdatesEnabled(false);
  g->setColumnCount(rs.fieldCount() + 1);
  g->setRowCount(rs.recordCount() + 1);
  QFont fixedFont = g->font();
  fixedFont.setBold(true);
  const QColor fixedBack = gui::systemColor(15);
  auto *corner = new QTableWidgetItem;
  corner->setBackground(fixedBack);
  g->setItem(0, 0, corner);
  for (int j = 0; j < rs.fieldCount(); ++j) {
    auto *head = new QTableWidgetItem(rs.columns.at(j));
    head->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    head->setBackground(fixedBack);
    head->setFont(fixedFont);
    head->setFlags(Qt::ItemIsEnabled);
    g->setItem(0, j + 1, head);
  }
  for (int p = 1; p <= rs.recordCount(); ++p) {
    const QStringList &record = rs.rows.at(p - 1);
    auto *marker = new QTableWidgetItem;
    marker->setBackground(fixedBack);
    g->setItem(p, 0, marker);
    for (int j = 0; j < rs.fieldCount(); ++j) {
      auto *it = new QTableWidgetItem(record.value(j));
      it->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      g->setItem(p, j + 1, it);
    }
  }
  gui::gsubSetColWidth(this, g, false);
  // The fitted width leaves no room for the cell's own margins; never cut a text.
  for (int c = 1; c < g->columnCount(); ++c) g->setColumnWidth(c, std::max(g->columnWidth(c), static_cast<QAbstractItemView *>(g)->sizeHintForColumn(c)));
  g->setColumnWidth(0, gui::px(kMarkerColumnTwips));
  g->resizeRowsToContents();
  g->setUpdatesEnabled(true);
}

void FrmSonder::restoreEntry() {
  const QStringList &mem = session_.gastrSonderEingabe;
  if (mem.size() <= 1) return;
  for (int i = 0; i < kFields; ++i) Tb_Daten[i]->setText(mem.value(i));
  bool ok = false;
  const int k = mem.value(kFields).toInt(&ok);
  if (ok && k >= 0 && k < Cob_Rollen->count()) {
    Cob_Rollen->setCurrentIndex(k);
    Cob_Rollen_Click();
  }
  const bool needle = mem.value(kFields + 1) == QLatin1String("N");
  Opt_Lager[needle ? 0 : 1]->setChecked(true);
  setTypeCode(needle ? QStringLiteral("N") : QStringLiteral("K"));
}

void FrmSonder::MSHFlexGrid1_Click(int row) {
  QTableWidget *g = MSHFlexGrid1;
  // Only data rows can be picked; the header row carries the column names.
  if (g->rowCount() <= 1 || row < 1 || row >= g->rowCount()) return;
  g->setUpdatesEnabled(false);
  if (mintSelRow_ > 0 && mintSelRow_ < g->rowCount())
    if (QTableWidgetItem *old = g->item(mintSelRow_, 0)) old->setIcon(QIcon());
  if (QTableWidgetItem *mark = g->item(row, 0)) mark->setIcon(QIcon(gui::resourcePicture(100)));
  g->setUpdatesEnabled(true);
  mintSelRow_ = row;

  auto cell = [g, row](int col) {
    const QTableWidgetItem *it = g->item(row, col);
    return it ? it->text() : QString();
  };
  for (int i = 0; i < kFields; ++i) Tb_Daten[i]->setText(cell(i + 1));
  double bearings = 0.0;
  if (num::toDouble(cell(kFields + 1), &bearings)) {
    const int k = static_cast<int>(num::roundHalfEven(bearings / 2.0 - 2.0, 0));
    if (k >= 0 && k < Cob_Rollen->count()) {
      Cob_Rollen->setCurrentIndex(k);
      Cob_Rollen_Click();
    }
  }
  const bool needle = cell(kFields + 2) == QLatin1String("N");
  Opt_Lager[needle ? 0 : 1]->setChecked(true);
  setTypeCode(needle ? QStringLiteral("N") : QStringLiteral("K"));
  showHint(258);
}

void FrmSonder::Cob_Rollen_Click() {
  // List index k means k + 2 bearing rows; the rows beyond are not used and hold 0.
  const int k = Cob_Rollen->currentIndex();
  for (int j = 1; j < kRows; ++j) Tb_Rollen[j]->setEnabled(false);
  for (int j = 0; j <= k + 1 && j < kRows; ++j) Tb_Rollen[j]->setEnabled(true);
  for (QLineEdit *r : Tb_Rollen)
    if (!r->isEnabled()) r->setText(QStringLiteral("0"));
}

int FrmSonder::bearingCount() const { return sonder::bearingsText(Cob_Rollen->currentIndex()).toInt(); }

void FrmSonder::setTypeCode(const QString &code) { Opt_Lager[0]->setProperty("tag", code); }

QString FrmSonder::typeCode() const { return Opt_Lager[0]->property("tag").toString(); }

QString FrmSonder::statusText() const { return statusPanel_->text(); }

void FrmSonder::showHint(int textId) {
  hintId_ = textId;
  statusPanel_->setText(builtinText(textId));
}

void FrmSonder::cmdA1A2_Click() {
  const msg::Message ask{builtinText(296), builtinText(297), msg::Icon::Exclamation, msg::Buttons::OkCancel, 1};
  if (msg::show(ask) != msg::Answer::Ok) return;
  for (int i = 0; i < kRows; ++i)
    if (!gui::checkNumber(Tb_Rollen[i], builtinText(1521).arg(i + 1), builtinText(314), nullptr)) return;
  try {
    std::array<float, kRows> rows{};
    std::array<bool, kRows> enabled{};
    for (int i = 0; i < kRows; ++i) {
      rows[i] = sonder::fieldValue(Tb_Rollen[i]->text());
      enabled[i] = Tb_Rollen[i]->isEnabled();
    }
    const QString refusal = sonder::bearingRowsMessage(rows, enabled);
    if (!refusal.isEmpty()) {
      msg::critical2(refusal, builtinText(314));
      return;
    }
    Tb_Daten[7]->setText(num::singleToText(rows[0]));
    Tb_Daten[8]->setText(num::singleToText(Ber_A2(rows[0], rows[1], rows[2], rows[3], bearingCount())));
  } catch (const AppError &e) {
    msg::critical(e.description(), builtinText(316));
  }
}

void FrmSonder::cmdResult_Click() {
  for (QLineEdit *r : tbResult) r->setText(QStringLiteral("0"));
  try {
    QStringList fields;
    for (QLineEdit *f : Tb_Daten) fields << f->text();
    if (!sonder::resultInputsComplete(fields)) {
      msg::critical2(builtinText(327), builtinText(314));
      return;
    }
    const bool cassette = optKsRs[0]->isChecked();
    float railDistance = 0.0f;
    if (!cassette) {
      QString answer;
      if (!askInputBox(builtinText(292), builtinText(293), QStringLiteral("100"), &answer)) return;
      if (answer.trimmed().isEmpty()) return;
      railDistance = sonder::fieldValue(answer);
    }
    const QStringList r = sonder::results(fields, bearingCount(), cassette, railDistance);
    for (int i = 0; i < kResults; ++i) tbResult[i]->setText(r.value(i));
  } catch (const AppError &e) {
    msg::critical(e.description(), builtinText(316));
  }
}

void FrmSonder::Com_OK_Click() {
  // Pasted text stays in its field as pasted; one the number rules do not take is
  // refused by the field's name before anything is taken over.
  for (int i = 0; i < kFields; ++i)
    if (numericField(i) && !gui::checkNumber(Tb_Daten[i], builtinText(350 + i), builtinText(331), nullptr)) return;
  QStringList fields;
  for (QLineEdit *f : Tb_Daten) fields << f->text();
  const int refused = takeOverSonder(session_, fields, Cob_Rollen->currentIndex(), typeCode());
  if (refused >= 0 && refused < kFields) {
    Tb_Daten[refused]->setFocus();
    Tb_Daten[refused]->selectAll();
    return;
  }
  accept();
}

bool FrmSonder::filtersKeys(QObject *o) const {
  for (int i = 0; i < kFields; ++i)
    if (o == Tb_Daten[i]) return numericField(i);
  for (QLineEdit *r : Tb_Rollen)
    if (o == r) return true;
  return false;
}

bool FrmSonder::zeroWhenEmpty(QObject *o) const {
  for (int i = 0; i < kFields; ++i)
    if (o == Tb_Daten[i]) return numericField(i);
  return false;
}

bool FrmSonder::eventFilter(QObject *watched, QEvent *e) {
  if (e->type() == QEvent::KeyPress) {
    auto *edit = qobject_cast<QLineEdit *>(watched);
    const auto *ke = static_cast<QKeyEvent *>(e);
    const QString t = ke->text();
    // Only typed characters are filtered; cursor keys, Backspace, Enter and shortcuts pass.
    if (edit && !edit->isReadOnly() && t.size() == 1 && t.at(0).isPrint()) {
      // A character outside the number rules is refused: nothing goes in, and the
      // field says why.
      if (filtersKeys(watched) && !NumericValidator::passes(t.at(0), false)) {
        gui::noteRefusal(edit, NumericValidator::problem(t, false));
        return true;
      }
      int limit = 6;
      for (int i = 0; i < kFields; ++i)
        if (watched == Tb_Daten[i]) limit = maxTyped(i);
      if (!edit->hasSelectedText() && edit->text().size() >= limit) {
        gui::noteRefusal(edit, builtinText(1519).arg(limit));
        return true;
      }
    }
  } else if (e->type() == QEvent::FocusIn) {
    int hint = 0;
    for (int i = 0; i < kFields; ++i)
      if (watched == Tb_Daten[i]) hint = 260 + i;
    for (int i = 0; i < 2; ++i)
      if (watched == Opt_Lager[i]) hint = 601 + i;
    if (watched == Cob_Rollen) hint = 604;
    for (QLineEdit *r : Tb_Rollen)
      if (watched == r) hint = 605;
    if (watched == cmdA1A2) hint = 606;
    if (watched == cmdResult) hint = 284;
    if (watched == Com_OK) hint = 257;
    if (watched == Com_Exit) hint = 256;
    if (hint) showHint(hint);
  } else if (e->type() == QEvent::FocusOut) {
    if (zeroWhenEmpty(watched)) {
      auto *edit = static_cast<QLineEdit *>(watched);
      if (edit->text().isEmpty()) edit->setText(QStringLiteral("0"));
    }
  }
  return QDialog::eventFilter(watched, e);
}

void FrmSonder::keyPressEvent(QKeyEvent *e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    focusNextChild();
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

void openSonderEditor(Session &session, QWidget *parent, const std::function<void()> &showBusy) {
  if (showBusy) showBusy();
  FrmSonder editor(session, parent);
  editor.exec();
}
