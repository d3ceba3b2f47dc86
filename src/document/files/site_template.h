#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace plantrek {

// A material of the permanent list: no index until it is added to a site.
struct TemplateMaterial {
    QString name;
    quint32 colour = 0;  // 0x00BBGGRR

    friend bool operator==(const TemplateMaterial&, const TemplateMaterial&) = default;
};

// Where the template file lives. The program's folder is often read-only for the user, so
// changes always go to the user's own copy, and that copy wins over the one shipped with the
// program once it exists.
struct TemplateLocation {
    QString userFolder;
    QString programFolder;

    // The user's application-data folder and the folder of the running program.
    static TemplateLocation Default();

    QString ReadPath() const;
    QString WritePath() const;
};

// The user's permanent lists: default room names and default materials.
class CSiteTemplate {
public:
    static constexpr const char* kFileName = "TracepadTemplate";
    static constexpr unsigned kDefaultColour = 16744576;  // 0xFF8080

    QStringList roomNames;
    QList<TemplateMaterial> materials;

    friend bool operator==(const CSiteTemplate&, const CSiteTemplate&) = default;

    // Reads a template file. The lists are replaced only when the whole file reads well;
    // otherwise they stay as they were and false is returned.
    static bool Read(const QString& path, CSiteTemplate& lists);

    // Writes the lists through a temporary file that replaces the old one only after a complete
    // write, creating the folder when needed. On failure the old file is untouched and
    // errorText (when given) says why.
    static bool Write(const QString& path, const CSiteTemplate& lists,
                      QString* errorText = nullptr);
};

}  // namespace plantrek
