#include "document/files/xml_element_reader.h"

#include <QFile>
#include <QXmlStreamReader>

#include <vector>

namespace plantrek {

namespace {

// What the reader keeps for each open element. The stack lives on the heap, so nesting depth is
// bounded by memory only.
struct OpenElement {
    QString enclosingText;  // text the parent had gathered before this element began
    // Only for elements a handler saw start; most elements have none, which keeps deep files
    // small in memory.
    std::unique_ptr<XmlAttributeMap> attributes;
};

}  // namespace

CXmlElementReader::~CXmlElementReader() = default;

void CXmlElementReader::Register(const QString& name, std::unique_ptr<CXmlElementHandler> handler) {
    handlers_.insert(name, std::shared_ptr<CXmlElementHandler>(std::move(handler)));
}

bool CXmlElementReader::Parse() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = file.errorString();
        if (error_.isEmpty()) {
            error_ = QStringLiteral("Cannot open %1.").arg(path_);
        }
        return false;
    }
    return Parse(file);
}

bool CXmlElementReader::Parse(QIODevice& device) {
    error_.clear();
    QXmlStreamReader xml(&device);
    std::vector<OpenElement> open;
    QString text;

    while (!xml.atEnd()) {
        switch (xml.readNext()) {
            case QXmlStreamReader::StartElement: {
                const QString name = xml.name().toString();
                open.push_back(OpenElement{std::move(text), nullptr});
                text = QString();
                // Keep the handler alive for the call even if it registers a replacement.
                const auto it = handlers_.constFind(name);
                if (it != handlers_.constEnd()) {
                    const std::shared_ptr<CXmlElementHandler> handler = *it;
                    auto attributes = std::make_unique<XmlAttributeMap>();
                    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
                        attributes->Set(attribute.name().toString(), attribute.value().toString());
                    }
                    handler->OnStartElement(name, *attributes);
                    open.back().attributes = std::move(attributes);
                }
                break;
            }
            case QXmlStreamReader::Characters:
                text += xml.text();
                break;
            case QXmlStreamReader::EndElement: {
                if (open.empty()) {
                    // The parser does not let this happen; stay safe if it ever did.
                    xml.raiseError(QStringLiteral("Unbalanced end tag."));
                    break;
                }
                const QString name = xml.name().toString();
                const auto it = handlers_.constFind(name);
                if (it != handlers_.constEnd()) {
                    const std::shared_ptr<CXmlElementHandler> handler = *it;
                    static const XmlAttributeMap kNone;
                    const XmlAttributeMap* attributes = open.back().attributes.get();
                    handler->OnEndElement(name, text, attributes != nullptr ? *attributes : kNone);
                }
                text = std::move(open.back().enclosingText);
                open.pop_back();
                break;
            }
            case QXmlStreamReader::EntityReference:
                // An entity the parser could not resolve: its text would be silently lost.
                xml.raiseError(QStringLiteral("Unresolved entity '%1'.").arg(xml.name()));
                break;
            default:
                break;
        }
    }

    if (xml.hasError()) {
        error_ = QStringLiteral("%1 (line %2, column %3)")
                     .arg(xml.errorString())
                     .arg(xml.lineNumber())
                     .arg(xml.columnNumber());
        return false;
    }
    return true;
}

}  // namespace plantrek
