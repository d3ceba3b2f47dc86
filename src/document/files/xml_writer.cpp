#include "document/files/xml_writer.h"

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace plantrek {

namespace {

// What a character of an attribute value is written as; null when it stands for itself.
const char* EscapeOf(char16_t c) {
    switch (c) {
        case u'&':
            return "&amp;";
        case u'\'':
            return "&apos;";
        case u'<':
            return "&lt;";
        case u'>':
            return "&gt;";
        case u'"':
            return "&quot;";
        // A reader turns these into spaces unless they are written as references.
        case u'\t':
            return "&#9;";
        case u'\n':
            return "&#10;";
        case u'\r':
            return "&#13;";
        default:
            return nullptr;
    }
}

// Characters no XML file may hold, not even as a reference: a file with one in it does not
// open again.
bool IsForbiddenInXml(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}

}  // namespace

QString XmlEscape(const QString& value) {
    const auto special = [](QChar c) {
        return EscapeOf(c.unicode()) != nullptr || IsForbiddenInXml(c.unicode());
    };
    if (std::none_of(value.begin(), value.end(), special)) {
        return value;
    }
    QString escaped;
    escaped.reserve(value.size() + 16);
    for (const QChar c : value) {
        if (const char* entity = EscapeOf(c.unicode())) {
            escaped += QLatin1String(entity);
        } else if (IsForbiddenInXml(c.unicode())) {
            // The file must open again; the character is lost, and shows as lost.
            escaped += QChar(QChar::ReplacementCharacter);
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QString XmlQuote(const QString& value) {
    return QLatin1Char('"') + value + QLatin1Char('"');
}

bool CXmlWriter::BeginDocument() {
    static const char kByteOrderMark[] = {'\xFF', '\xFE'};
    if (!WriteBytes(kByteOrderMark, 2)) {
        return false;
    }
    return Write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"));
}

bool CXmlWriter::StartElement(const QString& name, const XmlAttributeMap& attributes, bool empty) {
    QString line = indentation_;
    line += QLatin1Char('<');
    line += name;
    attributes.ForEach([&line](const QString& key, const QString& value) {
        line += QLatin1Char(' ');
        line += key;
        line += QLatin1Char('=');
        line += value;
    });
    line += empty ? QLatin1String("/>\n") : QLatin1String(">\n");
    const bool written = Write(line);
    if (!empty) {
        indentation_ += QLatin1Char('\t');
    }
    return written;
}

bool CXmlWriter::EndElement(const QString& name) {
    if (!indentation_.isEmpty()) {
        indentation_.chop(1);
    }
    return Write(indentation_ + QLatin1String("</") + name + QLatin1String(">\n"));
}

bool CXmlWriter::Text(const QString& text) {
    return Write(indentation_ + QLatin1Char('\t') + text);
}

bool CXmlWriter::Finish() {
    if (failed_) {
        return false;
    }
    if (auto* file = qobject_cast<QFileDevice*>(&device_); file != nullptr && !file->flush()) {
        failed_ = true;
        error_ = file->errorString();
    }
    return !failed_;
}

bool CXmlWriter::Write(const QString& text) {
    // Raw code units, so that text the user typed (even an unpaired surrogate) is kept as it is.
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(text.utf16(), text.size(), bytes.data());
    return WriteBytes(bytes.constData(), bytes.size());
}

bool CXmlWriter::WriteBytes(const char* data, qint64 size) {
    if (failed_) {
        return false;
    }
    qint64 done = 0;
    while (done < size) {
        const qint64 written = device_.write(data + done, size - done);
        if (written <= 0) {
            failed_ = true;
            error_ = device_.errorString();
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace plantrek
