#pragma once
// The calculation behind "Berechnen" and "Weiter" of an arrangement screen, without the
// screen: the arrangement screens and the batch tool both run it, so they show the same
// numbers for the same input.
#include <span>

#include "core/arrangements/models/Models.h"

// Runs the arrangement's load model over every catalogue table set of the arrangement
// (gintTblAnz) and the special roller shoe held in memory (gintAnzSonder), loading each
// set with sBerDat. On completion the result rows replace gastrResult, and the same rows
// typed (with their table set, values and governing flag) replace resultRows. The distances in
// force (gsngUnitDistance, gsngRailDistance) are taken from the model in every case, as
// the screen sets them before it checks them. Messages go through the message service.
// The multi-unit arrangements rate the larger of model and rigid-plate check unless
// rigidCheck is false; a row's byCheck notes that the check governs it.
CalcOutput calculateArrangement(Session &s, ArrangementId id, const TextRows &forces, const QString &m,
                                const QString &n, bool rigidCheck = true);

// The typed rows of a completed calculation: the texts of its result rows with the table
// set each came from (1-based; 0 where not known), the rated, model and check values and
// the governing flag.
QVector<ResultRow> resultRowsOf(const CalcOutput &out, std::span<const int> tableSets);

// The hand-over of "Weiter" after a calculation that was not refused: the German and
// English arrangement names into gastrArrangement and the printed force table into
// gastrForce. Returns false when a force cell could not be printed (its message has
// been shown; the evaluation still opens, as the screen does).
bool handOver(Session &s, ArrangementId id, const TextRows &forces);
// The first half of it: the arrangement names alone.
void handOverNames(Session &s, ArrangementId id);
