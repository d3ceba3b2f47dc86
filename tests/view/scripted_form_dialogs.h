#pragma once

// The form dialogs answered by the test: no dialog is shown.

#include <QStringList>

#include <functional>
#include <variant>

#include "document/forms/arc_wall_form.h"
#include "document/forms/level_form.h"
#include "document/forms/move_form.h"
#include "document/forms/opening_form.h"
#include "document/forms/preferences_form.h"
#include "document/forms/projection_form.h"
#include "document/forms/room_form.h"
#include "document/forms/room_transform_forms.h"
#include "document/forms/wall_form.h"
#include "view/handlers/form_dialogs.h"

namespace plantrek::test {

using AnyForm = std::variant<WallForm*, ProjectionForm*, ArcWallForm*, AngleWallForm*,
                             MoveWallEndForm*, MoveForm*, RotateForm*, ReflectForm*, RoomStartForm*,
                             RoomForm*, NewMaterialForm*, MaterialForm*, PreferencesForm*, OpeningForm*,
                             LevelForm*, MoveToLevelForm*>;

// Fills the form as a person would have and answers OK or Cancel as `reply` says (Cancel unless
// told otherwise). Records which dialogs were asked.
class ScriptedFormDialogs : public FormDialogs {
public:
    bool Ask(const CTracepadDoc&, WallForm& f) override { return Answer(&f, "wall"); }
    bool Ask(const CTracepadDoc&, ProjectionForm& f) override { return Answer(&f, "projection"); }
    bool Ask(const CTracepadDoc&, ArcWallForm& f) override { return Answer(&f, "arc wall"); }
    bool Ask(const CTracepadDoc&, AngleWallForm& f) override { return Answer(&f, "angle wall"); }
    bool Ask(const CTracepadDoc&, MoveWallEndForm& f) override { return Answer(&f, "wall end"); }
    bool Ask(const CTracepadDoc&, MoveForm& f) override { return Answer(&f, "move"); }
    bool Ask(const CTracepadDoc&, RotateForm& f) override { return Answer(&f, "rotate"); }
    bool Ask(const CTracepadDoc&, ReflectForm& f) override { return Answer(&f, "reflect"); }
    bool Ask(const CTracepadDoc&, RoomStartForm& f) override { return Answer(&f, "room start"); }
    bool Ask(const CTracepadDoc&, RoomForm& f) override { return Answer(&f, "room"); }
    bool Ask(const CTracepadDoc&, OpeningForm& f) override { return Answer(&f, "opening"); }
    bool Ask(const CTracepadDoc&, NewMaterialForm& f) override {
        return Answer(&f, "material " + f.name);
    }
    bool Ask(const CTracepadDoc&, MaterialForm& f) override { return Answer(&f, "edit material"); }
    bool Ask(const CTracepadDoc&, PreferencesForm& f) override { return Answer(&f, "preferences"); }
    bool Ask(const CTracepadDoc&, LevelForm& f) override { return Answer(&f, "level"); }
    bool Ask(const CTracepadDoc&, MoveToLevelForm& f) override {
        return Answer(&f, "move to level");
    }
    void ShowRoomSummary(const CTracepadDoc&) override { asked.append(QStringLiteral("summary")); }
    void ShowCheckPlan(const std::vector<PlanFindingLine>& lines,
                       const std::function<void(int line)>& choose) override {
        asked.append(QStringLiteral("check plan"));
        checkPlanLines = lines;
        for (const int line : chooseLines) {
            choose(line);
        }
    }
    std::vector<PlanFindingLine> checkPlanLines;
    std::vector<int> chooseLines;  // what the person chooses in Check Plan, in turn

    std::function<bool(AnyForm)> reply = [](AnyForm) { return false; };
    QStringList asked;

private:
    bool Answer(AnyForm form, const QString& name) {
        asked.append(name);
        return reply(form);
    }
};

}  // namespace plantrek::test
