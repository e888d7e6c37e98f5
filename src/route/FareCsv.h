#pragma once

#include "route/FareTable.h"

#include <QString>
#include <QStringList>

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
    // Returns false on any problem; `records` then holds what was read, for
    // a checker to look further (a bad line's record only up to its fault).
    bool read(QStringView text, std::vector<FareRecord> &records);
    // The first problem.
    QString errorString() const { return m_problems.value(0); }
    // Every problem, each naming its line; reading goes on past a bad line
    // (not past a quote left open, which takes the rest of the text).
    const QStringList &problems() const { return m_problems; }
    // The line each record of the last read starts on, also of a failed read.
    const std::vector<int> &recordLines() const { return m_lines; }

private:
    QStringList m_problems;
    std::vector<int> m_lines;
};

} // namespace lumina
