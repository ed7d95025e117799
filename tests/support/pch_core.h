// Precompiled for the test executables without widgets: GoogleTest and the Qt Core
// headers nearly every test includes. Project headers stay out, so that a change of the
// program's sources never rebuilds this header.
#pragma once
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>
