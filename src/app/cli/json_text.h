#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// JSON written as it is produced, as UTF-8, members in the order they are given. A container
// is written on one line or with each member on a line of its own, as its caller says when
// opening it; ":info" keeps plain values and short arrays on one line and everything larger
// spread out. Qt's own JSON classes sort the members of an object by name, and the documented
// key order of ":info" is not alphabetical.
namespace plantrek::cli {

class JsonWriter {
public:
    // Without a sink the text gathers for TakeText; with one it goes there a piece at a time,
    // so that a large description never stands whole in memory.
    explicit JsonWriter(QIODevice* sink = nullptr) : sink_(sink) {}

    void BeginObject(bool oneLine = false) { Open('{', oneLine); }
    void EndObject() { Close('}'); }
    void BeginArray(bool oneLine = false) { Open('[', oneLine); }
    void EndArray() { Close(']'); }

    // Starts the next member of the object being written; its value follows. The key is
    // written as given: it must be plain ASCII that needs no escaping.
    JsonWriter& Key(const char* key);

    void Null();
    void Bool(bool value);
    // The shortest text that reads back to the same number; what is not finite is null.
    void Number(double value);
    void String(QStringView value);

    // What has not gone to the sink yet.
    QByteArray TakeText();
    // Hands what is gathered to the sink; false when the sink refused it.
    bool Flush();

private:
    struct Level {
        bool oneLine;
        bool empty;
    };

    void Open(char bracket, bool oneLine);
    void Close(char bracket);
    void NextMember();
    void Indent(qsizetype depth);

    // The last numbers written with their texts: the end of one wall is the start of the next.
    struct Recent {
        double value = 0.0;  // zero is never kept: it is written without a look-up
        char text[32];
        std::uint8_t size = 0;
    };

    QIODevice* sink_;
    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
    std::array<Recent, 4> recent_;
    std::size_t nextRecent_ = 0;
};

// text in double quotes as UTF-8, with the characters JSON requires escaped.
void AppendJsonQuoted(std::string& out, QStringView text);

}  // namespace plantrek::cli
