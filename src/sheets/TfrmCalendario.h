#pragma once
#include "widgets/TfrmCalendario.h"  // the date picker is shared by the sheet and vehicle windows
