#pragma once

#include <QString>
#include <QStringView>

#include <utility>
#include <vector>

namespace plantrek {

// String-to-string map of an element's attributes. It hashes into a fixed table of 17 buckets
// and puts new keys at the head of their chain; iterating bucket by bucket, each chain from its
// head, gives the attribute order our files have always been written in, so other programs that
// compare files byte for byte keep seeing the same order.
class XmlAttributeMap {
public:
    static constexpr int kBucketCount = 17;

    struct Entry {
        QString key;
        QString value;
    };

    // h = h * 33 + c over the UTF-16 code units, in 32-bit unsigned arithmetic.
    static quint32 HashKey(QStringView key);
    static int BucketOf(QStringView key) { return static_cast<int>(HashKey(key) % kBucketCount); }

    // Sets the value of a key; an existing key keeps its place and takes the new value.
    void Set(const QString& key, const QString& value);

    bool Lookup(QStringView key, QString* value) const;
    QString Value(QStringView key, const QString& fallback = QString()) const;
    bool Contains(QStringView key) const { return Find(key) != nullptr; }

    int Count() const { return static_cast<int>(slots_.size()); }
    bool IsEmpty() const { return slots_.empty(); }

    // Entries in iteration order: buckets 0 to 16, each chain from its head.
    std::vector<Entry> Entries() const;

    template <typename Visit>
    void ForEach(Visit&& visit) const {
        // A chain's head is the key added last, so each bucket is walked from the newest key.
        for (int bucket = 0; bucket < kBucketCount; ++bucket) {
            for (auto it = slots_.rbegin(); it != slots_.rend(); ++it) {
                if (it->bucket == bucket) {
                    visit(it->entry.key, it->entry.value);
                }
            }
        }
    }

private:
    // The entries in the order they were added, each with its bucket. An element has a handful
    // of attributes, so one small list serves better than seventeen: reading a large file sets
    // and looks up millions of them.
    struct Slot {
        Entry entry;
        int bucket;
    };

    const Entry* Find(QStringView key) const;

    std::vector<Slot> slots_;
};

}  // namespace plantrek
