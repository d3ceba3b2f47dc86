#pragma once

// Whether a command can run now, and whether its menu item shows a check mark.
namespace plantrek {

struct CommandState {
    bool enabled = false;
    bool checked = false;

    friend bool operator==(const CommandState&, const CommandState&) = default;
};

}  // namespace plantrek
