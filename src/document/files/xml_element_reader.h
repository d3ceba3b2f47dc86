#pragma once

#include "document/files/xml_attribute_map.h"

#include <QString>
#include <QStringView>

#include <memory>
#include <utility>
#include <vector>

class QIODevice;

namespace plantrek {

// Receives the elements of one local name from CXmlElementReader.
class CXmlElementHandler {
public:
    virtual ~CXmlElementHandler() = default;
    virtual void OnStartElement(const QString& name, const XmlAttributeMap& attributes) = 0;
    // text is the element's own character data, the parts before, between and after its child
    // elements joined; the children's text is not part of it.
    virtual void OnEndElement(const QString& name, const QString& text,
                              const XmlAttributeMap& attributes) = 0;
};

// Walks an XML file and hands every element that has a handler to it, by local name and
// wherever it stands in the tree. Elements without a handler are passed over; their children
// are still handed on. Namespaces and prefixes play no part.
class CXmlElementReader {
public:
    explicit CXmlElementReader(QString path = QString()) : path_(std::move(path)) {}
    ~CXmlElementReader();

    CXmlElementReader(const CXmlElementReader&) = delete;
    CXmlElementReader& operator=(const CXmlElementReader&) = delete;

    // Takes ownership; a handler already registered under the name is destroyed and replaced.
    void Register(const QString& name, std::unique_ptr<CXmlElementHandler> handler);

    // True only when the whole file was read and is well-formed. Elements met before an error
    // have already reached their handlers.
    bool Parse();
    // The same for an open device, read from its current position to its end.
    bool Parse(QIODevice& device);

    // Why the last Parse failed, for diagnostics; empty after success.
    QString ErrorString() const { return error_; }

private:
    struct Registration {
        QString name;
        std::shared_ptr<CXmlElementHandler> handler;
    };
    // The registration for an element name, or null. Files name far more elements than there
    // are handlers, so names are compared where they stand in the parser's buffer.
    const Registration* Find(QStringView name) const;

    QString path_;
    std::vector<Registration> handlers_;
    QString error_;
};

}  // namespace plantrek
