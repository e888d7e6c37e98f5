#include "hostlib/HostLib.h"

#include "base/CodePage.h"
#include "hostlib/QtHostLib.h"

#include <QStringList>

namespace lumina {

namespace {
HostLib *g_override = nullptr;
}

HostLib &host()
{
    if (g_override)
        return *g_override;
    static QtHostLib qtHost;
    return qtHost;
}

void setHost(HostLib *replacement)
{
    g_override = replacement;
}

int byteLength(const QString &text)
{
    return cp932::byteLength(text);
}

QString byteSlice(const QString &text, int start, int count)
{
    return cp932::byteSlice(text, start, count);
}

namespace {

// Patterns match names case-insensitively on Windows, where the files come
// from: elsewhere a "ticket.4sp" must still be offered under "*.4SP".
QString inBothCases(const QString &patterns)
{
    QStringList all;
    for (const QString &pattern : patterns.split(QLatin1Char(' '))) {
        for (const QString &form : {pattern, pattern.toLower(), pattern.toUpper()}) {
            if (!all.contains(form))
                all << form;
        }
    }
    return all.join(QLatin1Char(' '));
}

} // namespace

QString fileDialogFilter(const QString &nulSeparated)
{
    // The list ends at the first empty field (the double NUL).
    const QStringList parts = nulSeparated.split(QChar(0));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        if (description.isEmpty())
            break;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.simplified();
        if (patterns.isEmpty())
            patterns = QStringLiteral("*");
        // Qt reads the patterns from the last parentheses; keep the description
        // as it is unless it already ends with exactly this pattern list.
        const QString suffix = QStringLiteral("(%1)").arg(patterns);
        const QString shown = description.endsWith(suffix) ? description.chopped(suffix.size()).trimmed() : description;
        filters << QStringLiteral("%1 (%2)").arg(shown, inBothCases(patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace lumina
