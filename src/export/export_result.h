#pragma once

#include <QString>

#include <utility>

namespace plantrek {

// Error texts that more than one export uses.
inline const QString kErrorNoSite = QStringLiteral("Couldn't get site");
inline const QString kErrorSaveFile = QStringLiteral("Couldn't save file");

// The outcome of an export: success, or the text naming the step that failed, which the
// export command shows to the user.
struct ExportResult {
    bool ok = false;
    QString errorText;

    static ExportResult Success() { return {true, QString()}; }
    static ExportResult Failure(QString text) { return {false, std::move(text)}; }
};

}  // namespace plantrek
