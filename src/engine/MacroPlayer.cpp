#include "engine/MacroPlayer.h"
