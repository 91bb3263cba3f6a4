#include "construct/entry_state.h"

EntryState Entry{};
