#pragma once

#include "session.h"

namespace mzt {

// The lock screen's logic.
namespace LockLogic {

// Asks first; on Yes marks the program locked and logs it. true when locked.
bool Lock(Session& s);
// The note shown when the administrator mode is ticked.
void AdminModeChosen(Session& s);
// Checks the password: of "888" in administrator mode, else of the user who locked the
// program, whose job number and name must still match 权限密码. true when unlocked.
bool Unlock(Session& s, bool adminMode, const QString& jobNo, const QString& name, const QString& password);

} // namespace LockLogic
} // namespace mzt
