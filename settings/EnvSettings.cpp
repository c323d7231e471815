#include "settings/EnvSettings.h"

TEnvSettings EnvSettings;
