#pragma once

#include "document/files/xml_attribute_map.h"

#include <QString>

class QIODevice;

namespace plantrek {

// Escapes text for an attribute value: the five markup characters as entities, tabs and line
// ends as character references (so that a reader keeps them), and the few characters XML cannot
// hold at all (control characters, U+FFFE, U+FFFF) as U+FFFD, so that the file opens again.
QString XmlEscape(const QString& value);

// The value between double quotes, as every attribute value stands in our files.
QString XmlQuote(const QString& value);

// Line-oriented XML output straight into an open device: UTF-16 little-endian code units, TAB
// indentation, LF line ends. Values are written as given; callers escape and quote them.
//
// The first failed write is remembered: every later call writes nothing and returns false, so a
// caller may check once at the end (Finish or HasFailed) or after each call.
class CXmlWriter {
public:
    explicit CXmlWriter(QIODevice& device) : device_(device) {}

    CXmlWriter(const CXmlWriter&) = delete;
    CXmlWriter& operator=(const CXmlWriter&) = delete;

    // Byte-order mark and the XML declaration line.
    bool BeginDocument();
    // One line "<name key=value ...>" or, when empty, "<name key=value .../>"; a non-empty element
    // indents what follows by one more TAB.
    bool StartElement(const QString& name, const XmlAttributeMap& attributes, bool empty);
    bool StartElement(const QString& name, bool empty) {
        return StartElement(name, XmlAttributeMap(), empty);
    }
    bool EndElement(const QString& name);
    // Text indented one TAB deeper than the current line, with no line end of its own.
    bool Text(const QString& text);
    // Pushes buffered bytes of a file device out, so that a full disk shows up here rather than
    // at some later close; false when any write so far has failed.
    bool Finish();

    bool HasFailed() const { return failed_; }
    QString ErrorString() const { return error_; }
    const QString& Indentation() const { return indentation_; }

private:
    bool Write(const QString& text);
    bool WriteBytes(const char* data, qint64 size);

    QIODevice& device_;
    QString indentation_;
    bool failed_ = false;
    QString error_;
};

}  // namespace plantrek
