#pragma once

#include <QByteArray>

#include <random>

namespace plantrek {

// Reproducible noise standing in for recorded audio.
inline QByteArray RandomBytes(qsizetype size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

}  // namespace plantrek
