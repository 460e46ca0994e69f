#pragma once

#include <QChar>
#include <QString>

// A double in the general format with 15 significant digits: no trailing zeros, a decimal
// separator only when needed; plain notation while the integer part has at most 15 digits and
// the value is at least 0.0001 in magnitude, else scientific (1E15, 1.5E-7). NaN and the
// infinities come out as "NAN", "INF" and "-INF".
QString formatGeneral(double value, QChar decimalSeparator);
