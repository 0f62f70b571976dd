#pragma once
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The names of an enumeration's values: a key as files and the command line write it, and a
// label as the screens show it, listed in the order of the enumeration.
template <class Value, std::size_t Count> struct KeyedNames {
    struct Name {
        Value value;
        const char* key;
        const char* label;
    };
    std::array<Name, Count> names;

    QString key(Value value) const { return QString::fromUtf8(names.at(std::size_t(value)).key); }
    QString label(Value value) const { return QString::fromUtf8(names.at(std::size_t(value)).label); }
    std::optional<Value> fromKey(const QString& key) const
    {
        for (const Name& name : names)
            if (key == QString::fromUtf8(name.key))
                return name.value;
        return std::nullopt;
    }
    QStringList labels() const
    {
        QStringList all;
        for (const Name& name : names)
            all << QString::fromUtf8(name.label);
        return all;
    }
};
