#include "model/shared_state.h"

SharedState Shared{};
