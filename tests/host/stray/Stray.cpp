// A plugin file that reaches past the two plugin headers.
#include "bakkesmod/plugin/bakkesmodplugin.h"
#include "bakkesmod/wrappers/GameWrapper.h"
