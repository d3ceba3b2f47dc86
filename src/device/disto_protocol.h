#pragma once

#include <QString>

// The Disto meter's wire format: the commands the program sends, the identification reply, and
// the 15-character words of the meter's lines. Everything here is plain byte comparison on data
// that came off the wire, so every reader checks lengths and digits before trusting a byte.
namespace plantrek::disto {

inline constexpr int kWordLength = 15;

// Commands, exact bytes.
inline constexpr char kIdentifyCommand[] = "N00N\r\n";
inline constexpr char kIdentifiedCommand[] = "sm 0\r\n";
inline constexpr const char* kKeySetupCommands[] = {"sk 11 1\r\n", "sk 12 28\r\n", "sk 13 28\r\n"};
inline constexpr char kAcknowledgeCommand[] = "cfm\r\n";

// Line settings of the meter's port.
inline constexpr quint32 kBaudRate = 9600;
inline constexpr int kDataBits = 8;

// Meters from this type number on use other enter and undo keys and want their keys set up.
inline constexpr int kNewKeysTypeNumber = 740000;

// The identification reply: "13....+", eight digits, " \r\n".
inline constexpr int kReplyLength = 18;
inline constexpr char kReplyPrefix[] = "13....+";
inline constexpr int kReplyPrefixLength = 7;
inline constexpr int kReplyDigitsLength = 8;

// The model class is told by the first four of the type number's eight digits.
int ModelClassForTypeNumber(int typeNumber);

// The type number when bytes begin with a complete identification (prefix and eight digits).
bool ParseIdentificationReply(const char* bytes, int count, int* typeNumber);
// Whether bytes could still grow into an identification: a reply that has begun.
bool IsIdentificationBegun(const char* bytes, int count);

enum class WordKind { Enter, Undo, Distance, DirectionKey, Other };

struct Word {
    WordKind kind = WordKind::Other;
    int unitCode = 0;  // Distance: 0 to 9
    QString digits;    // Distance: exactly eight decimal digits
    int keyCode = 0;   // DirectionKey: one of the eight compass key codes
};

// What a word (without its terminator) means to a meter of this type number. Only exact
// 15-character words count; anything else, including distances whose digits are not all
// digits, is Other.
Word ClassifyWord(const char* body, int length, int typeNumber);

}  // namespace plantrek::disto
