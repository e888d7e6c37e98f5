#include "controls/PropertyBag.h"

namespace lumina {

qsizetype PropertyBag::indexOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].first == name)
            return i;
    }
    return -1;
}

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    const qsizetype i = indexOf(name);
    return i < 0 ? defaultValue : m_entries[i].second;
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value,
                                const QVariant &defaultValue)
{
    const qsizetype i = indexOf(name);
    // Same type and same value: a text "0" is not the number 0.
    const bool isDefault = defaultValue.isValid() && value.typeId() == defaultValue.typeId()
                           && value == defaultValue;
    if (isDefault) {
        if (i >= 0)
            m_entries.removeAt(i);
        return;
    }
    if (i >= 0)
        m_entries[i].second = value;
    else
        m_entries.append({name, value});
}

bool PropertyBag::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

QStringList PropertyBag::keys() const
{
    QStringList list;
    list.reserve(m_entries.size());
    for (const auto &e : m_entries)
        list << e.first;
    return list;
}

} // namespace lumina
