#pragma once

#include <QString>

#include <map>
#include <string>

// Names and texts as they are stored in a DXF file, which holds 8-bit text in the drawing's
// code page (Windows-1252 when the file names none).
namespace plantrek {

class Room;
class Site;

// A text value: printable ASCII and the Latin-1 letters and signs as single bytes, which read
// the same in Windows-1252; every other character as the "\U+XXXX" escape that CAD programs
// decode. A backslash and a "%%" (a control code in text entities) are escaped too, so that
// the text reads back as given, and no control character can break the file's line structure.
std::string ToDxfText(const QString& text);

// The 8-bit form of a room name in a block name: spaces removed, Latin-1 letters kept, and
// every character that a table name may not hold (control characters, characters outside
// Latin-1, and < > / \ " : ; ? * | , = `) replaced by "_".
std::string BlockNamePart(const QString& roomName);

// The two block names of every room of a site, unique among themselves and apart from the
// border and legend blocks. DXF compares table names without regard to case, so this does too.
// A room keeps "Block<name>" and "Block<name>Color" unless either is taken by an earlier room
// or is "BlockBorder" or "BlockLegend"; then "_2", "_3", ... follows the name part.
class DxfBlockNames {
public:
    static constexpr const char* kBorder = "BlockBorder";
    static constexpr const char* kLegend = "BlockLegend";

    DxfBlockNames() = default;
    explicit DxfBlockNames(const Site& site);

    // Empty for a room that was not in the site.
    std::string Outline(const Room& room) const;
    std::string Fill(const Room& room) const;

private:
    std::map<const Room*, std::string> outlines_;
};

}  // namespace plantrek
