// Storage of the shared setup state; static storage starts all zero, as the program expects.
#include "setup/setup_state.h"

SetupState Setup;
