#include "document/files/xml_attribute_map.h"

namespace plantrek {

quint32 XmlAttributeMap::HashKey(QStringView key) {
    quint32 hash = 0;
    for (const QChar unit : key) {
        hash = hash * 33u + unit.unicode();
    }
    return hash;
}

void XmlAttributeMap::Set(const QString& key, const QString& value) {
    for (Slot& slot : slots_) {
        if (slot.entry.key == key) {
            slot.entry.value = value;
            return;
        }
    }
    slots_.push_back(Slot{Entry{key, value}, BucketOf(key)});
}

const XmlAttributeMap::Entry* XmlAttributeMap::Find(QStringView key) const {
    for (const Slot& slot : slots_) {
        if (slot.entry.key == key) {
            return &slot.entry;
        }
    }
    return nullptr;
}

bool XmlAttributeMap::Lookup(QStringView key, QString* value) const {
    const Entry* entry = Find(key);
    if (entry == nullptr) {
        return false;
    }
    if (value != nullptr) {
        *value = entry->value;
    }
    return true;
}

QString XmlAttributeMap::Value(QStringView key, const QString& fallback) const {
    const Entry* entry = Find(key);
    return entry != nullptr ? entry->value : fallback;
}

std::vector<XmlAttributeMap::Entry> XmlAttributeMap::Entries() const {
    std::vector<Entry> entries;
    entries.reserve(slots_.size());
    ForEach([&entries](const QString& key, const QString& value) {
        entries.push_back(Entry{key, value});
    });
    return entries;
}

}  // namespace plantrek
