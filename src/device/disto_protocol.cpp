#include "device/disto_protocol.h"

#include <cstring>

namespace plantrek::disto {

namespace {

constexpr char kKeyWordPrefix[] = "5000..+000000";
constexpr int kKeyWordPrefixLength = 13;
constexpr char kDistancePrefix[] = "31..";
constexpr int kEnterKeyOld = 11;
constexpr int kUndoKeyOld = 12;
constexpr int kEnterKeyNew = 12;
constexpr int kUndoKeyNew = 13;
// The meter's direction keys, N, NE, E, SE, S, SW, W, NW.
constexpr int kDirectionKeyCodes[] = {2, 8, 6, 15, 1, 10, 3, 4};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(const char* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        if (!IsDigit(bytes[i])) {
            return false;
        }
    }
    return true;
}

// The key code of a key word "5000..+000000NN"; -1 for anything else.
int KeyCodeOf(const char* body, int length) {
    if (length != kWordLength || std::memcmp(body, kKeyWordPrefix, kKeyWordPrefixLength) != 0 ||
        !AllDigits(body + kKeyWordPrefixLength, 2)) {
        return -1;
    }
    return (body[13] - '0') * 10 + (body[14] - '0');
}

}  // namespace

int ModelClassForTypeNumber(int typeNumber) {
    switch (typeNumber / 10000) {
        case 74:
            return 0;
        case 76:
            return 1;
        default:
            return 2;
    }
}

bool ParseIdentificationReply(const char* bytes, int count, int* typeNumber) {
    if (bytes == nullptr || count < kReplyPrefixLength + kReplyDigitsLength ||
        std::memcmp(bytes, kReplyPrefix, kReplyPrefixLength) != 0 ||
        !AllDigits(bytes + kReplyPrefixLength, kReplyDigitsLength)) {
        return false;
    }
    int number = 0;
    for (int i = 0; i < kReplyDigitsLength; ++i) {
        number = number * 10 + (bytes[kReplyPrefixLength + i] - '0');
    }
    if (typeNumber != nullptr) {
        *typeNumber = number;
    }
    return true;
}

bool IsIdentificationBegun(const char* bytes, int count) {
    if (bytes == nullptr || count <= 0 || count >= kReplyPrefixLength + kReplyDigitsLength) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const bool fits = i < kReplyPrefixLength ? bytes[i] == kReplyPrefix[i] : IsDigit(bytes[i]);
        if (!fits) {
            return false;
        }
    }
    return true;
}

Word ClassifyWord(const char* body, int length, int typeNumber) {
    Word word;
    if (body == nullptr || length != kWordLength) {
        return word;
    }
    const bool newKeys = typeNumber >= kNewKeysTypeNumber;
    const int keyCode = KeyCodeOf(body, length);
    if (keyCode >= 0 && keyCode == (newKeys ? kEnterKeyNew : kEnterKeyOld)) {
        word.kind = WordKind::Enter;
        return word;
    }
    if (keyCode >= 0 && keyCode == (newKeys ? kUndoKeyNew : kUndoKeyOld)) {
        word.kind = WordKind::Undo;
        return word;
    }
    if (std::memcmp(body, kDistancePrefix, 4) == 0) {
        // A distance only when its sign and all eight digits are what they must be; the unit
        // code is one character, and a character that is no digit counts as code 0.
        if (body[6] == '+' && AllDigits(body + 7, 8)) {
            word.kind = WordKind::Distance;
            word.unitCode = IsDigit(body[5]) ? body[5] - '0' : 0;
            word.digits = QString::fromLatin1(body + 7, 8);
        }
        return word;
    }
    for (int code : kDirectionKeyCodes) {
        if (keyCode == code) {
            word.kind = WordKind::DirectionKey;
            word.keyCode = code;
            return word;
        }
    }
    return word;
}

}  // namespace plantrek::disto
