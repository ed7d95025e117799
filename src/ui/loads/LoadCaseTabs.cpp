#include "ui/loads/LoadCaseTabs.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>
#include <cmath>
#include <limits>

#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "ui/common/NumericInput.h"
#include "core/common/Texts.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/KeyFilter.h"
#include "core/loads/LoadCaseJson.h"

LoadCaseTabs::LoadCaseTabs(ForceGrid *grid, QWidget *parent) : QWidget(parent), grid_(grid) {
  setObjectName(QStringLiteral("LoadCaseTabs"));
  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);

  tabBar_ = new QTabBar(this);
  tabBar_->setObjectName(QStringLiteral("TabLastfall"));
  tabBar_->setDrawBase(false);
  tabBar_->setExpanding(false);
  tabBar_->setUsesScrollButtons(true);
  tabBar_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(tabBar_, 1);

  add_ = new QToolButton(this);
  add_->setObjectName(QStringLiteral("CmdLastfallNeu"));
  add_->setText(QStringLiteral("+"));
  layout->addWidget(add_);
  remove_ = new QToolButton(this);
  remove_->setObjectName(QStringLiteral("CmdLastfallEntfernen"));
  remove_->setText(QStringLiteral("−"));
  layout->addWidget(remove_);

  auto *label = new QLabel(this);
  gui::showText(label, 1317);
  label->setObjectName(QStringLiteral("LabAnteil"));
  layout->addWidget(label);
  share_ = new QLineEdit(this);
  share_->setObjectName(QStringLiteral("Tb_Anteil"));
  share_->setAlignment(Qt::AlignRight);
  share_->setFixedWidth(gui::px(800));
  NumericKeyFilter::install(share_, {false, false});
  layout->addWidget(share_);

  Case first;
  first.name = nextName();
  first.share = QStringLiteral("100");
  cases_.append(first);
  tabBar_->addTab(first.name);
  share_->setText(first.share);

  connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) {
    if (switching_ || index < 0) return;
    storeFront();
    showCase(index);
  });
  connect(tabBar_, &QTabBar::tabBarDoubleClicked, this, [this](int index) {
    if (index >= 0) askRename(index);
  });
  connect(tabBar_, &QTabBar::customContextMenuRequested, this, [this](const QPoint &pos) {
    const int index = tabBar_->tabAt(pos);
    if (index < 0) return;
    QMenu menu(this);
    QAction *rename = menu.addAction(builtinText(1319));
    QAction *remove = menu.addAction(builtinText(1320));
    remove->setEnabled(count() > 1);
    QAction *chosen = menu.exec(tabBar_->mapToGlobal(pos));
    if (chosen == rename) askRename(index);
    if (chosen == remove) removeCase(index);
  });
  connect(share_, &QLineEdit::textEdited, this, [this](const QString &text) {
    if (front_ >= 0 && front_ < cases_.size()) cases_[front_].share = text;
    emit edited(QStringLiteral("share%1").arg(front_));
  });
  showTexts();
  connect(add_, &QToolButton::clicked, this, &LoadCaseTabs::addCase);
  connect(remove_, &QToolButton::clicked, this, [this] { removeCase(current()); });
  updateButtons();
}

void LoadCaseTabs::showTexts() {
  add_->setToolTip(builtinText(1318));
  remove_->setToolTip(builtinText(1320));
  share_->setToolTip(builtinText(1322));
  gui::retext(this);
}

void LoadCaseTabs::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange) {
    showTexts();
    // The one load case of a single force table is no name of the user's (the
    // calculation keeps the table alone): its first name follows the language. The
    // names of several load cases are the user's and stay.
    if (count() == 1)
      for (Language l : {Language::German, Language::English})
        if (cases_[0].name == builtinText(1306, l) + QStringLiteral(" 1")) {
          cases_[0].name = caseName(1);
          tabBar_->setTabText(0, cases_[0].name);
        }
  }
  QWidget::changeEvent(event);
}

int LoadCaseTabs::current() const { return tabBar_->currentIndex(); }

QString LoadCaseTabs::shareText(int index) const {
  return index == front_ ? share_->text() : cases_.value(index).share;
}

bool LoadCaseTabs::checkShares(const QString &title) {
  storeFront();
  for (int i = 0; i < cases_.size(); ++i) {
    if (NumericValidator::problem(cases_[i].share, false).isEmpty()) continue;
    setCurrent(i);
    const QString name = builtinText(1317) + QStringLiteral(" – ") + cases_[i].name;
    return gui::checkNumber(share_, name, title, nullptr);
  }
  return true;
}

QString LoadCaseTabs::caseName(int n) { return builtinText(1306) + QLatin1Char(' ') + QString::number(n); }

QString LoadCaseTabs::nextName() const {
  // The first free "Lastfall n".
  for (int n = 1;; ++n) {
    const QString candidate = caseName(n);
    bool used = false;
    for (const Case &c : cases_) used = used || c.name == candidate;
    if (!used) return candidate;
  }
}

void LoadCaseTabs::storeFront() {
  if (front_ < 0 || front_ >= cases_.size()) return;
  cases_[front_].rows = grid_->dataRows();
  cases_[front_].share = share_->text();
}

void LoadCaseTabs::showCase(int index) {
  front_ = index;
  const Case &c = cases_.at(index);
  grid_->clearMarker();
  const TextRows rows = c.rows.isEmpty() ? TextRows{QStringList(ForceGrid::kColumns)} : c.rows;
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < rows.size(); ++r)
    for (int col = 0; col < ForceGrid::kColumns; ++col) grid_->setTextMatrix(r + 1, col, rows[r].value(col));
  gui::gsubSetColWidth(window(), grid_, false);
  share_->setText(c.share);
  updateButtons();
  emit currentChanged(index);
}

void LoadCaseTabs::updateButtons() { remove_->setEnabled(count() > 1); }

QVector<LoadCase> LoadCaseTabs::loadCases() const {
  QVector<LoadCase> out;
  for (int i = 0; i < cases_.size(); ++i) {
    LoadCase lc;
    lc.name = cases_[i].name;
    double share = 0.0;
    lc.share = num::toDouble(shareText(i).trimmed(), &share) ? share : std::numeric_limits<double>::quiet_NaN();
    lc.forces = i == front_ ? grid_->dataRows() : cases_[i].rows;
    if (lc.forces.isEmpty()) lc.forces = TextRows{QStringList(ForceGrid::kColumns)};
    out.append(lc);
  }
  return out;
}

void LoadCaseTabs::setLoadCases(const QVector<LoadCase> &cases) {
  if (cases.isEmpty()) return;
  if (cases.size() > loads::kMaxLoadCases) {
    msg::show({builtinText(1377).arg(loads::kMaxLoadCases), QString(), msg::Icon::Exclamation});
    return;
  }
  switching_ = true;
  // A visible tab bar lays every tab out again for each tab added; hidden, it lays them
  // out once when it shows again.
  const bool visible = tabBar_->isVisibleTo(this);
  tabBar_->setVisible(false);
  while (tabBar_->count() > 0) tabBar_->removeTab(tabBar_->count() - 1);
  cases_.clear();
  cases_.reserve(cases.size());
  for (const LoadCase &lc : cases) {
    cases_.append({lc.name, num::doubleToText(lc.share), lc.forces});
    tabBar_->addTab(lc.name);
  }
  tabBar_->setCurrentIndex(0);
  tabBar_->setVisible(visible);
  switching_ = false;
  showCase(0);
}

void LoadCaseTabs::setCurrent(int index) {
  if (index >= 0 && index < count()) tabBar_->setCurrentIndex(index);
}

void LoadCaseTabs::addCase() {
  if (count() >= loads::kMaxLoadCases) {
    msg::show({builtinText(1377).arg(loads::kMaxLoadCases), QString(), msg::Icon::Exclamation});
    return;
  }
  storeFront();
  Case c;
  c.name = nextName();
  c.share = QStringLiteral("0");
  cases_.append(c);
  switching_ = true;
  tabBar_->addTab(c.name);
  tabBar_->setCurrentIndex(count() - 1);
  switching_ = false;
  showCase(count() - 1);
  emit edited(QString());
}

void LoadCaseTabs::removeCase(int index) {
  if (count() <= 1 || index < 0 || index >= count()) return;
  const msg::Answer a = msg::show({builtinText(1323).arg(cases_[index].name), builtinText(318),
                                   msg::Icon::Question, msg::Buttons::YesNo, 2});
  if (a != msg::Answer::Yes) return;
  storeFront();
  cases_.removeAt(index);
  switching_ = true;
  tabBar_->removeTab(index);
  switching_ = false;
  showCase(tabBar_->currentIndex());
  emit edited(QString());
}

void LoadCaseTabs::renameCase(int index, const QString &name) {
  const QString trimmed = name.trimmed();
  if (index < 0 || index >= count() || trimmed.isEmpty()) return;
  cases_[index].name = trimmed;
  tabBar_->setTabText(index, trimmed);
  emit edited(QString());
}

void LoadCaseTabs::askRename(int index) {
  if (index < 0 || index >= count()) return;
  QInputDialog dialog(this);
  dialog.setObjectName(QStringLiteral("DialogLastfallName"));
  dialog.setWindowTitle(builtinText(1319));
  dialog.setLabelText(builtinText(1321));
  dialog.setTextValue(cases_[index].name);
  if (dialog.exec() == QDialog::Accepted) renameCase(index, dialog.textValue());
}
