// src/report/PdfWriter.h
#pragma once
#include <QString>
#include <functional>
class QPrinter;
namespace pdf {
struct Meta { QString title; QString creator; };
bool writeAtomically(const QString &path, const Meta &meta,
                     const std::function<bool(QPrinter &)> &paint, QString *error);
}
