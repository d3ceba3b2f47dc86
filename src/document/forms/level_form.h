#pragma once

#include <QString>
#include <QStringList>

#include "document/forms/form_field.h"
#include "model/level.h"

// The level dialogs: "Add Level" and "Level Properties" (a name, an elevation and a ceiling
// height for the level's rooms), and "Move Room to Level" (one of the site's levels).
namespace plantrek {

class CTracepadDoc;

class LevelForm {
public:
    enum class Purpose { Add, Properties };
    enum class Field { Name, Elevation, Height };

    // Add: the next free "Level <n>", standing on the top level (its elevation plus its
    // height), with the program's height. Properties: the current level as it is.
    static LevelForm FromDocument(const CTracepadDoc& doc, Purpose purpose);
    // A name no other level has; an elevation within 1000 m of the datum (a minus sign for a
    // level below it); a height from 0.5 m to 100 m, or empty for the program's height.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    // The level as typed (after a check that passed).
    Level Value(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    Purpose purpose = Purpose::Add;
    // The level Properties changes.
    int index = 0;
    QString name;
    TextField elevation;
    TextField height;
    // The program's height, shown beside an empty height field.
    QString defaultHeight;
};

class MoveToLevelForm {
public:
    enum class Field { Level };

    // The site's levels, the selected room's chosen.
    static MoveToLevelForm FromDocument(const CTracepadDoc& doc);
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    QStringList levels;
    int chosen = 0;
    QString room;
};

}  // namespace plantrek
