#pragma once
// Bearing load factors and moment capacities of a guide series.
// A zero divisor shows the function's own message ("Error gfsngK1!" ...) through the
// message service and gives 0.
#include <QtGlobal>

// k1 in 1/mm, rounded to 4 places: 2/B for a double rail, 1/(n/2 + bI) for a pair of
// single rails at distance n.
float gfsngK1(float B, float bI, float n);
// k2 in 1/mm, rounded to 2 places: 4/(a1+a2) for 4 bearings, 6/(a1+a2) for more, 0 for fewer.
float gfsngK2(float a1, float a2, int AnzR);
// Moment capacity in Nm, rounded to 2 places: B*C/2000, or (a1+a2)*(C/AnzR)/1000 when B = 0.
float gfsngMocMc(qint32 C, float B, float a1, float a2, int AnzR);

// The same arithmetic without messages; `ok` tells whether the divisor was valid
// (used where the factors are computed once per series and the message is repeated by
// the caller once per force row, as the user sees it).
float k1Value(float B, float bI, float n, bool *ok);
float k2Value(float a1, float a2, int AnzR, bool *ok);
