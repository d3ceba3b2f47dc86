#pragma once

#include <QString>

namespace plantrek {

// The operating system's own text for an error code, up to its first line end; for a code the
// system has no text for, "Unknown error code <hex> (<low 16 bits>)".
QString GetSystemErrorText(int code);

}  // namespace plantrek
