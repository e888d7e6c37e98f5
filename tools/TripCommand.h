#pragma once

#include <QStringList>

// lumina-fare trip ROUTE.hy3 [--tape TP.csv] [--every SECONDS] -o TRIP
// writes a starting trip for the route; `arguments` are the whole command
// line (program name, "trip", ...). Returns the exit code.
int tripCommand(const QStringList &arguments);
