#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

// Audio as Base64 text (the RFC 4648 alphabet with "=" padding), the form in which a site file
// carries a recording.
//
// Writing: the audio is taken in pieces of 1200 bytes, the last piece shorter, and each piece is
// encoded by itself with CR LF after every 19th complete group of four characters (every 76
// characters) counted from the piece's start, also when that group ends the piece. A complete
// group is one that encodes three bytes; the padded group that may end the last piece is not
// one, so no CR LF follows it. The site file places each piece after its own indentation.
//
// Reading is lenient: every character outside the alphabet is skipped, and the text may come in
// slices of any size, so a large text never needs a decoded copy in memory whole.
namespace plantrek {

inline constexpr qsizetype kAudioPieceBytes = 1200;
inline constexpr qsizetype kGroupsPerLine = 19;

// One piece encoded by itself, with its line breaks.
QString EncodeBase64Piece(QByteArrayView piece);

class Base64Decoder {
public:
    // Decodes the next slice of the text and appends its bytes to out. A group may be split
    // across slices. A "=" ends the group it stands in: the bytes that group holds so far are
    // kept and decoding goes on with a fresh group, so padding in the middle (pieces that were
    // padded one by one and then joined) loses nothing.
    void Feed(QStringView text, QByteArray& out);
    // Appends the bytes of a group cut short by the end of the text (a missing padding) and
    // makes the decoder ready for a new text. A lone leftover character holds no whole byte.
    void Finish(QByteArray& out);

private:
    void EndGroup(QByteArray& out);

    quint32 bits_ = 0;
    int count_ = 0;
};

// Decodes a whole text slice by slice, handing the bytes of each slice to sink (never an empty
// view). Stops and returns false as soon as the sink returns false.
bool DecodeBase64(QStringView text, const std::function<bool(QByteArrayView)>& sink);

}  // namespace plantrek
