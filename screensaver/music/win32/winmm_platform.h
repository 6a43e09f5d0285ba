#pragma once

#include "mci_platform.h"

// The music module's platform functions bound to winmm's.
const MciPlatform& winmm_platform();
