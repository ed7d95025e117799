// Precompiled for the test executables of the screens: the core tests' headers and the
// Qt Widgets classes the screen tests drive.
#pragma once
#include "support/pch_core.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
