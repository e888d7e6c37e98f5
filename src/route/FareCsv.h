#pragma once

#include "route/FareTable.h"

#include <QString>

#include <vector>

namespace lumina {

// Fare data as comma-separated text, one stop a line: name, ticket number,
// then the 150 values. This is the editable form of a route; the fare data
// file is made from it.
QString fareCsv(const std::vector<FareRecord> &records);

class FareCsvReader
{
public:
    // Reads the text form. Blank lines and lines starting with "#" are
    // skipped; a name holding a comma or a quote is written in double quotes
    // ("" for a quote inside). Values left out at the end of a line are 0.
    bool read(QStringView text, std::vector<FareRecord> &records);
    QString errorString() const { return m_errorString; }

private:
    QString m_errorString;
};

} // namespace lumina
