#pragma once
// The services of the desktop program: the real dialogs, the busy window, the manual,
// the start screen, the calculation files and the outputs of the evaluation screen, all
// on the program's one session.
#include "ui/common/AppServices.h"
#include "core/common/Session.h"

AppServices programServices(Session &session);
