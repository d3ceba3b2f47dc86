#pragma once

#include <QString>
#include <QStringView>

#include <array>
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

    int Count() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    // Entries in iteration order: buckets 0 to 16, each chain from its head.
    std::vector<Entry> Entries() const;

    template <typename Visit>
    void ForEach(Visit&& visit) const {
        for (const auto& chain : buckets_) {
            // Chains are stored head last so that adding a key is an append.
            for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
                visit(it->key, it->value);
            }
        }
    }

private:
    const Entry* Find(QStringView key) const;

    std::array<std::vector<Entry>, kBucketCount> buckets_;
    int count_ = 0;
};

}  // namespace plantrek
